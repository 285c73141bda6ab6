// Parameter reads and writes through the channel's command path with arbitrary
// controller answers: results stay within their codes, values never run past
// the caller's buffers, and the reservation is always given back.
// Input: first byte = operation and value count, then the parameter text up to
// a newline, then the controller's answer (cut to 200 bytes as on the wire).

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "ScriptedChannel.h"

namespace {

bool oneOf(int r, std::initializer_list<int> codes)
{
    return std::find(codes.begin(), codes.end(), r) != codes.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CountingBoxes boxes;
    static ScriptedChannel io(&boxes);
    if (size < 1)
        return 0;
    const int op = data[0] & 0x07;
    const int length = (data[0] >> 3) & 0x0f;
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const size_t restSize = size - 1;
    const char* split = static_cast<const char*>(std::memchr(rest, '\n', restSize));
    const std::string par(rest, split ? size_t(split - rest) : restSize);
    // Every operation sends at most one command; its answer is the rest of the
    // input, line breaks included, so it is not split into several answers.
    io.answers = {split ? std::string(split + 1, restSize - par.size() - 1) : std::string()};
    io.next = 0;

    // A parameter text holding a line break is refused before anything is sent.
    const int notOneLine = IOManager::CommandNotOneLine;
    const std::initializer_list<int> readCodes = {0, -1, -31, -32, -33, -34, notOneLine};
    int r = 0;
    switch (op) {
        case 0: {
            std::unique_ptr<char[]> value(new char[200]);  // exactly the documented size
            r = io.get_par(value.get(), "%s", par.c_str());
            if (!oneOf(r, {0, -1, -32, notOneLine}) || std::strlen(value.get()) > 199)
                std::abort();
            break;
        }
        case 1: {
            int v;
            r = io.get_par_i(&v, "%s", par.c_str());
            break;
        }
        case 2: {
            double v;
            r = io.get_par_d(&v, "%s", par.c_str());
            break;
        }
        case 3: {
            bool v;
            r = io.get_par_yn(&v, "%s", par.c_str());
            break;
        }
        case 4: {
            std::unique_ptr<int[]> v(new int[std::max(length, 1)]);
            r = io.get_par_ii(v.get(), length, "%s", par.c_str());
            break;
        }
        case 5: {
            std::unique_ptr<double[]> v(new double[std::max(length, 1)]);
            r = io.get_par_dd(v.get(), length, "%s", par.c_str());
            break;
        }
        case 6:
            r = io.set_par("%s", par.c_str());
            if (!oneOf(r, {0, -1, -34, notOneLine}))
                std::abort();
            break;
        default: {
            std::unique_ptr<char[]> answer(new char[201]);
            r = io.execute_cmd(answer.get(), "%s", par.c_str());
            if (!oneOf(r, {0, -1, notOneLine}))
                std::abort();
            break;
        }
    }
    if (!oneOf(r, readCodes))
        std::abort();
    if (io.isCmdPending())
        std::abort();
    return 0;
}
