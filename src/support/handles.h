// Owners for the Windows handles of the program: each closes its handle with the call that belongs
// to it, and knows that handle kind's empty value.
#pragma once

#include <windows.h>

// A handle kind: its type, the call that closes it, and its empty value.
template <class H, void (*Close)(H), H (*Empty)()>
struct HandleTraits {
    using Handle = H;
    static H empty() { return Empty(); }
    static void close(H handle) { Close(handle); }
};

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

template <class H>
H nullHandle()
{
    return nullptr;
}
inline HANDLE invalidHandle()
{
    return INVALID_HANDLE_VALUE;
}
inline void closeRegKey(HKEY key)
{
    RegCloseKey(key);
}
inline void closeKernelHandle(HANDLE handle)
{
    CloseHandle(handle);
}
inline void closeFindFile(HANDLE find)
{
    FindClose(find);
}
inline void deleteFont(HFONT font)
{
    DeleteObject(font);
}

using UniqueHkey = UniqueHandleOf<HandleTraits<HKEY, closeRegKey, nullHandle<HKEY>>>;
// Process and thread handles: empty is NULL.
using UniqueKernelHandle = UniqueHandleOf<HandleTraits<HANDLE, closeKernelHandle, nullHandle<HANDLE>>>;
// Files opened by CreateFile: empty is INVALID_HANDLE_VALUE.
using UniqueFileHandle = UniqueHandleOf<HandleTraits<HANDLE, closeKernelHandle, invalidHandle>>;
using UniqueFindFile = UniqueHandleOf<HandleTraits<HANDLE, closeFindFile, invalidHandle>>;
using UniqueFont = UniqueHandleOf<HandleTraits<HFONT, deleteFont, nullHandle<HFONT>>>;

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
