// A channel without transport for the harnesses: each command is answered with
// the next of a list of texts, cut to the 200 bytes of the wire, and "orvane2 ok"
// once the list is used up.  Error boxes are counted, never shown.

#ifndef FUZZ_SCRIPTEDCHANNEL_H
#define FUZZ_SCRIPTEDCHANNEL_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "IOManager.h"
#include "MessageBoxProvider.h"

class CountingBoxes : public MessageBoxProvider
{
public:
    int opened = 0;
    void openMessageBox(int, QString title, QString text) override
    {
        if (title.isEmpty() || text.isEmpty())
            std::abort();
        ++opened;
    }
};

class ScriptedChannel : public IOManager
{
public:
    explicit ScriptedChannel(MessageBoxProvider* mbp) : IOManager(mbp) {}

    std::vector<std::string> answers;
    size_t next = 0;
    int commands = 0;

    // Splits text at newlines into the answers to come.
    void script(const char* text, size_t size)
    {
        answers.clear();
        next = 0;
        commands = 0;
        const char* end = text + size;
        while (text < end) {
            const char* split =
                static_cast<const char*>(std::memchr(text, '\n', size_t(end - text)));
            const char* stop = split ? split : end;
            answers.emplace_back(text, size_t(stop - text));
            text = split ? split + 1 : end;
        }
    }

protected:
    int execute_command(char* result, const char* cmd) override
    {
        if (std::strlen(cmd) > size_t(MaxTextLength))
            std::abort();
        ++commands;
        const std::string answer = next < answers.size() ? answers[next++] : "orvane2 ok";
        const size_t n = std::min(answer.size(), size_t(MaxTextLength));
        std::memcpy(result, answer.data(), n);
        result[n] = '\0';
        return 0;
    }
};

#endif
