#ifndef CTLEXIT_H
#define CTLEXIT_H

// orvane3ctl's exit codes, one per failure class, so a script can tell why a
// run failed without reading its text. The numbers are part of the tool's
// interface (listed in --help and the man page); never renumber them.
namespace CtlExit {

enum Code : int
{
    Success = 0,
    Internal = 1,         // the tool itself failed (no socket, out of memory)
    Usage = 2,            // unknown subcommand, missing or malformed argument
    NoAnswer = 3,         // the controller did not answer, or cannot be reached
    Asleep = 4,           // the controller answers only to wake-up packets
    AccessHeld = 5,       // another front-end holds access to the controller
    PasswordRefused = 6,  // a password is required, or the one given is wrong
    ControllerError = 7,  // the controller answered with an error
    FileError = 8         // a file could not be read or written
};

// The table printed by --help and the man page.
const char* const kHelpTable =
    "Exit codes:\n"
    "  0  success\n"
    "  1  internal failure of the tool\n"
    "  2  usage error\n"
    "  3  no answer from the controller\n"
    "  4  controller asleep\n"
    "  5  access held by another front-end\n"
    "  6  password required or wrong\n"
    "  7  error answer from the controller\n"
    "  8  file error\n";

}  // namespace CtlExit

#endif
