# The settings store, the language choice, the about window and the
# developer links.
zirvano_add_test(tst_settingsstore
  SOURCES tst_settingsstore.cpp
  LIBS zirvano_platform)

zirvano_add_test(tst_idioma
  SOURCES tst_idioma.cpp
  LIBS zirvano_app)
