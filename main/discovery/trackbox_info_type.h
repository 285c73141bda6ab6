#ifndef TRACKBOX_INFO_TYPE_H
#define TRACKBOX_INFO_TYPE_H

#include <cstdint>

// Identity of one controller found on the network.  A plain record of fixed-size,
// zero-terminated text fields so that it can be copied by value between threads and
// into the selection table; a fresh record is all zero bytes.
struct trackbox_info_type
{
    char hostname[200];          // "system hostname"; "unknown" if unanswered
    char access[16];             // "system access"; "none" means this front-end cannot get access
    char version[200];           // first word of the "system version" answer
    char serial[16];             // controller serial, formatted per model
    uint32_t ip;                 // sender address of the answer, host byte order
    char ip_str[100];            // the same address as dotted text
    bool isSlave;                // slave of a cascaded system
    char mac_str[100];           // "system ethernet_mac"; "unknown" if not read
    char model[200];             // "system model" as answered; empty if not read
    char protocol_version[200];  // "system protocol_version" as answered; empty if not read
};

#endif
