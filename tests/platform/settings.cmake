zirvano_add_test(tst_settings SOURCES tst_settings.cpp childprocess.h LIBS zirvano_platform)
