# The settings store, the language choice, the about window and the
# developer links.
zirvano_add_test(tst_settingsstore
  SOURCES tst_settingsstore.cpp
  LIBS zirvano_platform)

zirvano_add_test(tst_idioma
  SOURCES tst_idioma.cpp
  LIBS zirvano_app)

zirvano_add_test(tst_sobre
  SOURCES tst_sobre.cpp
  LIBS zirvano_app
  ENV "ZIRVANO_NO_MESSAGEBOX=1")
