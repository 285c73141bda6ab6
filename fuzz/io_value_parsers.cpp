// The three value parsers on arbitrary value texts: results stay within their
// codes and nothing is written beyond the requested number of values.
// Input: first byte = number of values (0..15), the rest = value text.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "AnswerParsing_p.h"

using namespace iomanager_detail;

template <typename T, typename Parse>
static void run(const char* text, int length, Parse parse)
{
    // Sized exactly, so a write past the last value is caught.
    std::unique_ptr<T[]> values(length > 0 ? new T[length]() : nullptr);
    T dummy{};
    const int r = parse(text, length > 0 ? values.get() : &dummy, length);
    if (length < 1) {
        if (r != -31)
            std::abort();
        return;
    }
    if (r != 0 && r != -33 && r != -34)
        std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int length = data[0] & 0x0f;
    std::vector<char> text(data + 1, data + size);
    if (text.size() > 200)
        text.resize(200);
    text.push_back('\0');

    run<int>(text.data(), length, parse_int_values);
    run<double>(text.data(), length, parse_double_values);
    run<bool>(text.data(), length, parse_yn_values);
    if (parse_int_values(nullptr, nullptr, length) != -31)
        std::abort();
    return 0;
}
