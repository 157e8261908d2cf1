#include "frame/ShutterCalls.h"

#include "framework/SystemLibrary.h"

ShutterCalls ShutterCalls::OfSystem() {
    static const auto flush = SystemFunction<HRESULT(WINAPI*)()>(L"dwmapi.dll", "DwmFlush");
    ShutterCalls calls;
    calls.flushComposition = flush;
    return calls;
}
