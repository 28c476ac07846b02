// copyFile on Windows: the system's own file calls, each file opened once, into a buffer set that is
// kept between copies. The rules stay those of the other platforms: the bounded buffer set, an exact
// copy, no partial target.
#include "support/clib.h"

#include "support/handles.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace {

// The buffer set is kept from one copy to the next. Fresh memory is dear where the first touch of
// every page is: under Wine in a virtual machine, a fresh 600000-byte set took ten times as long as
// the copy of the 1 MB file it served. The kept set only grows, never past the bound; a second thread
// that copies meanwhile makes a set of its own. It is never destroyed: a worker still copying while
// the process ends must not see it go.
struct KeptBuffers {
    std::mutex lock;
    std::unique_ptr<char[]> block;
    int count = 0;
};

KeptBuffers& kept()
{
    static KeptBuffers* buffers = new KeptBuffers;
    return *buffers;
}

// The buffers of one copy: as many as its size calls for, the kept ones when they are free.
class CopyBuffers {
public:
    explicit CopyBuffers(long long size) : lock_(kept().lock, std::try_to_lock)
    {
        int wanted = copyBufferCount(size);
        if (!lock_.owns_lock()) {
            count_ = allocateCopyBuffers(own_, wanted);
            data_ = own_.get();
            return;
        }
        KeptBuffers& buffers = kept();
        if (buffers.count < wanted) {
            buffers.block.reset();
            buffers.count = allocateCopyBuffers(buffers.block, wanted);
        }
        count_ = std::min(wanted, buffers.count);
        data_ = buffers.block.get();
    }
    char* data() const { return count_ > 0 ? data_ : nullptr; }
    DWORD passSize() const { return static_cast<DWORD>(count_) * static_cast<DWORD>(copyBufferSize); }

private:
    std::unique_lock<std::mutex> lock_;
    std::unique_ptr<char[]> own_;
    char* data_ = nullptr;
    int count_ = 0;
};

// Copies the whole of in to out; true when every byte of its size was read and written.
bool copyContent(HANDLE in, HANDLE out)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(in, &size)) return false;
    CopyBuffers buffers(size.QuadPart);
    if (!buffers.data()) return false;
    long long copied = 0;
    for (;;) {
        DWORD received = 0, written = 0;
        if (!ReadFile(in, buffers.data(), buffers.passSize(), &received, nullptr)) return false;
        if (received == 0) break;
        if (!WriteFile(out, buffers.data(), received, &written, nullptr) || written != received) return false;
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
