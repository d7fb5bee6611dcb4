zirvano_add_test(tst_settings SOURCES tst_settings.cpp LIBS zirvano_platform)
