// Mesa's OSMesa keeps a few small framebuffer records of every context made current until the
// process ends; LeakSanitizer is told that they are Mesa's, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libOSMesa.so\n"; }
