// Owners for the Windows handles of the program: each closes its handle with the call that belongs
// to it, and knows that handle kind's empty value.
#pragma once

#include <windows.h>


template <class Traits>
class UniqueHandleOf {
public:
    using Handle = typename Traits::Handle;

    UniqueHandleOf() = default;
    explicit UniqueHandleOf(Handle handle) : handle_(handle) {}
    ~UniqueHandleOf() { reset(); }
    UniqueHandleOf(const UniqueHandleOf&) = delete;
    UniqueHandleOf& operator=(const UniqueHandleOf&) = delete;
    UniqueHandleOf(UniqueHandleOf&& other) noexcept : handle_(other.release()) {}
    UniqueHandleOf& operator=(UniqueHandleOf&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Traits::empty(); }
    explicit operator bool() const { return valid(); }

    // For the out-parameter of an opening call: closes what is held and hands out the slot.
    Handle* put()
    {
        reset();
        return &handle_;
    }
    Handle release()
    {
        Handle handle = handle_;
        handle_ = Traits::empty();
        return handle;
    }
    void reset(Handle handle = Traits::empty())
    {
        if (valid()) Traits::close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::empty();
};

struct RegKeyTraits {
    using Handle = HKEY;
    static HKEY empty() { return nullptr; }
    static void close(HKEY key) { RegCloseKey(key); }
};

// Process and thread handles: empty is NULL.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static HANDLE empty() { return nullptr; }
    static void close(HANDLE handle) { CloseHandle(handle); }
};

struct FindFileTraits {
    using Handle = HANDLE;
    static HANDLE empty() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE handle) { FindClose(handle); }
};

struct FontTraits {
    using Handle = HFONT;
    static HFONT empty() { return nullptr; }
    static void close(HFONT font) { DeleteObject(font); }
};

using UniqueHkey = UniqueHandleOf<RegKeyTraits>;
using UniqueKernelHandle = UniqueHandleOf<KernelHandleTraits>;
using UniqueFindFile = UniqueHandleOf<FindFileTraits>;
using UniqueFont = UniqueHandleOf<FontTraits>;

// A window's device context, released to its window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc()
    {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};
