// Options read by ThreadSanitizer when the window tests are built with it (ignored otherwise).
//
// Qt and the GLib event loop under it are not built with the checker: what their own threads
// allocate and free, and the locks they take, are invisible to it. The calls these libraries
// make are ignored; the program's own code stays checked. The start-up test runs the program
// as a child process after threads exist, which the checker must allow.

extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so\n"
           "called_from_lib:libQt6Gui.so\n"
           "called_from_lib:libQt6Widgets.so\n"
           "called_from_lib:libglib-2.0.so\n";
}

extern "C" const char* __tsan_default_options() {
    return "die_after_fork=0";
}
