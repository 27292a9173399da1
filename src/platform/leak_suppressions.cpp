// Linked into every program of the sanitizer build. The system's own libraries
// behind the window, the OpenGL driver and the fonts (Mesa's driver and its LLVM,
// fontconfig, D-Bus, GLib) keep allocations until the process ends; those are not
// leaks of ours, and the leak checker is told so. Mesa's driver is unloaded when
// SDL closes its display, after which its allocations could not be told apart from
// anyone's: it stays loaded.
#if defined(__SANITIZE_ADDRESS__)

#include <dlfcn.h>

#include <initializer_list>

// The table of suppressions used is not printed: a program's stderr stays its own.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n"
         "leak:libfontconfig.so\n"
         "leak:libLLVM\n"
         "leak:_dri.so\n"
         "leak:libGLX_mesa.so\n"
         "leak:libglapi.so\n"
         "leak:libglib-2.0.so\n";
}

namespace {

__attribute__((constructor)) void KeepTheOpenGlDriverLoaded() {
  for (const char* library : {"libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"}) {
    dlopen(library, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
  }
}

}  // namespace

#endif
