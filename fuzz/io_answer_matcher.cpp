// Controller answers against expected prefixes: tokens must stay inside the
// text, a match must point inside the answer, error boxes always have a text.
// Input: answer, a newline, prefix (each cut to the 200-byte protocol limit).

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "AnswerParsing_p.h"

using namespace iomanager_detail;

static std::vector<char> asText(const uint8_t* data, size_t size)
{
    // Exactly as long as the text, so reading past its end is caught.
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    return text;
}

static void checkTokens(const char* text)
{
    const int len = static_cast<int>(std::strlen(text));
    Token tokens[MaxTokens];
    const int n = tokenize(text, tokens, MaxTokens);
    if (n < 0 || n > MaxTokens)
        std::abort();
    int previousEnd = 0;
    for (int i = 0; i < n; ++i) {
        const Token& t = tokens[i];
        if (t.start < previousEnd || t.length < 0 || t.start + t.length > len)
            std::abort();
        previousEnd = t.start + t.length;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* split = static_cast<const uint8_t*>(std::memchr(data, '\n', size));
    const size_t answerSize = split ? size_t(split - data) : size;
    const size_t prefixSize = split ? size - answerSize - 1 : 0;
    std::vector<char> answer = asText(data, answerSize < 200 ? answerSize : 200);
    std::vector<char> prefix =
        asText(split ? split + 1 : data, prefixSize < 200 ? prefixSize : 200);

    checkTokens(answer.data());
    checkTokens(prefix.data());

    const int answerLen = static_cast<int>(std::strlen(answer.data()));
    const int offset = check_prefix(answer.data(), prefix.data());
    if (offset < -1 || offset > answerLen)
        std::abort();
    // Every text carries itself as prefix.
    if (check_prefix(answer.data(), answer.data()) < 0)
        std::abort();
    if (check_prefix(answer.data(), "") != 0)
        std::abort();

    const ErrorBox box = error_box_for_answer(prefix.data(), answer.data());
    if (box.title.isEmpty() || box.text.isEmpty())
        std::abort();
    return 0;
}
