#pragma once

#include <windows.h>

// A function of a system DLL that older Windows (or Wine) may lack, found at run time; null when
// it is missing. The DLL must already be loaded, as the ones the program links are.
template <class Fn>
Fn FindSystemFunction(const wchar_t* dll, const char* name) {
    const HMODULE module = ::GetModuleHandleW(dll);
    if (!module) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}
