#ifndef ANSWERPARSING_P_H
#define ANSWERPARSING_P_H

// Internal to the command channel (and its fuzz harnesses): answer tokenizing,
// prefix matching and value parsing, free of any transport.

#include <QString>

namespace iomanager_detail {

constexpr int MaxTokens = 200;

struct Token
{
    int start;   // offset in the text
    int length;  // 0 for an empty token
};

// Splits text at blanks.  Each blank directly after a separating blank gives an
// empty token, a trailing blank gives nothing; a token starting with ' or "
// runs to the matching closing mark (blanks included, marks kept) and the
// character after the mark starts the next token.  At most maxTokens tokens
// are stored; returns their count.
int tokenize(const char* text, Token* tokens, int maxTokens);

// Matches the answer against the expected prefix token by token.  Returns the
// offset in answer where the answer's next token begins (strlen(answer) when
// there is none), or -1 when the answer does not carry the prefix.
int check_prefix(const char* answer, const char* prefix);

// Split at blanks, empty parts dropped; see IOManager::parse_int.
int parse_int_values(const char* str, int* res, int length);
int parse_double_values(const char* str, double* res, int length);
int parse_yn_values(const char* str, bool* res, int length);

// The box for an "orvane2 err" answer to cmd: the measurement-start texts for
// error -99, else the generic "Command Error" box.
struct ErrorBox
{
    QString title;
    QString text;
};
ErrorBox error_box_for_answer(const char* cmd, const char* answer);

}  // namespace iomanager_detail

#endif
