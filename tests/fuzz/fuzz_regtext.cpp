// The registry text rule on any bytes a read may return: the text ends inside its buffer, keeps the
// bytes read, and is refused whole when the read failed or did not fit.
#include "fuzz.h"
#include "support/regtext.h"

FUZZ_TARGET(0)
{
    if (bytes.size() < 2) return;
    // Two bytes choose the status and how far the reported count lies from the buffer's size; the rest
    // is what the registry left in a buffer of exactly that size.
    long status = bytes[0] % 4 == 0 ? 0 : static_cast<unsigned char>(bytes[0]);
    std::vector<char> buffer(bytes.begin() + 2, bytes.end());
    const std::vector<char> returned = buffer;
    long long count = static_cast<long long>(buffer.size()) + static_cast<int8_t>(bytes[1]);
    if (static_cast<unsigned char>(bytes[1]) == 0x80) count = 0xFFFFFFFFll;
    unsigned long reported = static_cast<unsigned long>(std::max(0ll, count));

    bool text = finishRegText(buffer.data(), buffer.size(), status, reported);
    FUZZ_CHECK(!buffer.empty() || !text);
    if (buffer.empty()) return;
    const char* end = static_cast<const char*>(std::memchr(buffer.data(), 0, buffer.size()));
    FUZZ_CHECK(end && text == (buffer[0] != '\0'));
    std::size_t length = static_cast<std::size_t>(end - buffer.data());
    FUZZ_CHECK(std::memcmp(buffer.data(), returned.data(), length) == 0);
    FUZZ_CHECK(!text || (status == 0 && reported <= buffer.size() && length <= reported));
}
