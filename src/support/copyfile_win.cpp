// copyFile on Windows: the system's own file calls, each file opened once. Through the runtime
// library a small copy cost twice what the system's copy costs (a look at the source before it is
// opened, the runtime's stream set-up, seeks to learn the size); this way it costs about the same.
// The rules stay those of the other platforms: the bounded buffer set, an exact copy, no partial target.
#include "support/clib.h"

#include "support/handles.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

// As many buffers as one pass needs, up to the limit, side by side so that a pass is read and written
// in one call each; when the memory is not there, fewer buffers do. passSize gets the block's size.
std::unique_ptr<char[]> copyBuffers(long long size, DWORD& passSize)
{
    std::unique_ptr<char[]> buffers;
    for (int count = copyBufferCount(size); count > 0 && !buffers; --count) {
        buffers.reset(new (std::nothrow) char[static_cast<std::size_t>(count) * copyBufferSize]);
        passSize = static_cast<DWORD>(count * copyBufferSize);
    }
    return buffers;
}

// Copies the whole of in to out; true when every byte of its size was read and written.
bool copyContent(HANDLE in, HANDLE out)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(in, &size)) return false;
    DWORD passSize = 0;
    std::unique_ptr<char[]> buffers = copyBuffers(size.QuadPart, passSize);
    if (!buffers) return false;
    long long copied = 0;
    for (;;) {
        DWORD received = 0, written = 0;
        if (!ReadFile(in, buffers.get(), passSize, &received, nullptr)) return false;
        if (received == 0) break;
        if (!WriteFile(out, buffers.get(), received, &written, nullptr) || written != received) return false;
        copied += received;
    }
    return copied == size.QuadPart;
}

} // namespace

bool copyFile(const char* source, const char* target)
{
    // A folder cannot be opened this way: it is refused here, before the target is touched.
    UniqueFileHandle in(CreateFileA(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in) return false;
    UniqueFileHandle out(CreateFileA(target, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return false;
    bool copied = copyContent(in.get(), out.get());
    // The close stores what the system still held: only then is the copy whole.
    copied = CloseHandle(out.release()) && copied;
    if (!copied) DeleteFileA(target);
    return copied;
}
