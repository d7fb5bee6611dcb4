# Sound under faults: no device, a private PulseAudio server killed and
# restarted mid-keying, racing calls, hostile images.
zirvano_add_test(tst_soundfaults
  SOURCES tst_soundfaults.cpp recording.cpp recording.h childprocess.h
  LIBS zirvano_platform zirvano_app
  ENV "ZIRVANO_NO_MESSAGEBOX=1"
  TIMEOUT 90)
