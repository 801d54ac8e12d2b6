// A 32-bit program on the station PC, calling Qorlink.dll the way the technicians' own programs
// do: it loads the library at run time, takes each function by name and calls it through a
// __stdcall pointer. Around every call it compares the stack pointer before the call with the
// one after it (the caller's own clean-up included): a function that leaves its arguments on the
// stack, or takes more than it was given, shows as a difference here, where the 64-bit build,
// with its single calling convention, cannot show it.
//
//   stdcall_session
//
// Opens a session with the camera on COM1 and prints "firmware:", "type:", "lcd:", "execute:",
// "ready:" and "close:" lines; exit status 0 when every step succeeded and every call left the
// stack pointer where it found it.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#if !defined(__i386__)
#error "stdcall_session checks the 32-bit calling convention; build it for i686"
#endif

// callChecked(fn, args, count, callerPops, &moved): pushes count 32-bit arguments (args[0]
// last, so it lands nearest the return address), calls fn, then removes callerPops bytes as a
// caller of the declared convention would (0 for __stdcall, all its arguments for __cdecl).
// Stores in `moved` how far the stack pointer then is from where it was before the arguments
// were pushed, puts the stack pointer back, and returns fn's result.
extern "C" int32_t __cdecl callChecked(const void* fn, const uint32_t* args, uint32_t count,
                                       uint32_t callerPops, int32_t* moved);
asm(R"(
    .text
    .globl _callChecked
    .def _callChecked; .scl 2; .type 32; .endef
_callChecked:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    # Align the stack so that the callee finds it 16-byte aligned below its arguments.
    leal (,%ecx,4), %eax
    movl %esp, %edx
    subl %eax, %edx
    andl $-16, %edx
    addl %eax, %edx
    movl %edx, %esp
    movl %esp, %ebx
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    addl 20(%ebp), %esp
    movl %esp, %ecx
    subl %ebx, %ecx
    movl 24(%ebp), %edx
    movl %ecx, (%edx)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace {

// How many bytes the caller removes after a call through a pointer of type F.
template <class F>
struct CallerPops;
template <class... A>
struct CallerPops<int32_t(__stdcall*)(A...)> {
    static constexpr uint32_t value = 0;
};
template <class... A>
struct CallerPops<int32_t(__cdecl*)(A...)> {
    static constexpr uint32_t value = 4 * sizeof...(A);
};

// The library's functions as a 32-bit caller declares them.
using NoArgFn = int32_t(__stdcall*)();
using IntFn = int32_t(__stdcall*)(int32_t);
using BufferFn = int32_t(__stdcall*)(void*);
using IntIntFn = int32_t(__stdcall*)(int32_t, int32_t);

HMODULE library = nullptr;
bool stackKept = true;

uint32_t word(int32_t v) {
    return static_cast<uint32_t>(v);
}
uint32_t word(void* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

// Calls the library's function `name` through a pointer of type F with `args`; a function the
// library does not export, or a call that moves the stack pointer, is reported and clears
// stackKept (for a missing one the result is -1).
template <class F, class... A>
int32_t call(const char* name, A... args) {
    const FARPROC fn = GetProcAddress(library, name);
    if (fn == nullptr) {
        std::printf("%s: not exported\n", name);
        stackKept = false;
        return -1;
    }
    const uint32_t words[sizeof...(A) + 1] = {word(args)..., 0};
    int32_t moved = 0;
    const int32_t r = callChecked(reinterpret_cast<const void*>(fn), words, sizeof...(A),
                                  CallerPops<F>::value, &moved);
    if (moved != 0) {
        std::printf("%s: the stack pointer moved by %d bytes\n", name, moved);
        stackKept = false;
    }
    return r;
}

constexpr int32_t kComOne = 1;
constexpr int32_t kSpeedIndex = 5;
constexpr int32_t kDisplayCommand = 1;
constexpr int kReadyPolls = 500;  // 10 s at 20 ms

}  // namespace

int main() {
    library = LoadLibraryA("Qorlink.dll");
    if (library == nullptr) {
        std::printf("Qorlink.dll: cannot be loaded (error %lu)\n", GetLastError());
        return 1;
    }
    call<NoArgFn>("Cam_reset_dll");
    call<IntFn>("Cam_set_speed", kSpeedIndex);
    const int32_t port = call<IntFn>("Cam_set_port", kComOne);
    std::printf("port: %d\n", port);
    if (port != kComOne || call<IntFn>("Cam_session_enabled", 1) != 0) return 1;

    char version[64] = {};
    char type[64] = {};
    const bool read = call<BufferFn>("Cam_get_version", static_cast<void*>(version)) == 0 &&
                      call<BufferFn>("Cam_get_cam_type", static_cast<void*>(type)) == 0;
    std::printf("firmware: %s\ntype: %s\n", version, type);
    std::printf("lcd: %d\n", call<NoArgFn>("Cam_get_lcd_type"));
    const int32_t execute = call<IntIntFn>("Cam_control_lcd", kDisplayCommand, 0);
    std::printf("execute: %d\n", execute);
    int32_t ready = 0;
    for (int i = 0; execute == 0 && i < kReadyPolls && ready != 1; ++i) {
        ready = call<NoArgFn>("Cam_ready");
        if (ready != 1) Sleep(20);
    }
    std::printf("ready: %d\n", ready);
    const int32_t close = call<IntFn>("Cam_session_enabled", 0);
    std::printf("close: %d\n", close);
    FreeLibrary(library);
    if (!stackKept) std::printf("FAILED: a call did not leave the stack as it found it\n");
    return read && execute == 0 && ready == 1 && close == 0 && stackKept ? 0 : 1;
}
