#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owning wrappers of the Win32 handles the backend keeps, each closed the one way its kind is
// closed.
namespace win32 {

template <typename Handle, auto close>
struct HandleCloser {
  void operator()(Handle handle) const { close(handle); }
};

template <typename Handle, auto close>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleCloser<Handle, close>>;

using KernelHandle = UniqueHandle<HANDLE, &CloseHandle>;
using MemoryDc = UniqueHandle<HDC, &DeleteDC>;
using DibSection = UniqueHandle<HBITMAP, &DeleteObject>;
using OwnedWindow = UniqueHandle<HWND, &DestroyWindow>;
using UniqueIcon = UniqueHandle<HICON, &DestroyIcon>;
using UniqueCursor = UniqueHandle<HCURSOR, &DestroyCursor>;
using UniqueFont = UniqueHandle<HFONT, &DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, &DeleteObject>;

}  // namespace win32
