#pragma once

// A bare TCP client that sends one command with its zero byte and reads one
// answer, waiting with select() as the command channel does: the lower bound
// of one exchange with the controller.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

class RawClient
{
public:
    explicit RawClient(const char* command = "") : m_command(command) {}
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;
    ~RawClient()
    {
        if (fd >= 0)
            ::close(fd);
    }

    bool connectTo(const char* address)
    {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(50105);
        inet_pton(AF_INET, address, &sa.sin_addr);
        return fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
    }
    bool waitFor(bool write)
    {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd, &set);
        timeval tv{2, 0};
        return ::select(fd + 1, write ? nullptr : &set, write ? &set : nullptr, nullptr, &tv) == 1;
    }
    // The same bytes as the channel: command with its zero byte, one read back.
    bool roundTrip() { return roundTrip(m_command); }
    bool roundTrip(const char* command)
    {
        const ssize_t size = ssize_t(std::strlen(command) + 1);
        if (!waitFor(true) || ::send(fd, command, size_t(size), MSG_NOSIGNAL) != size)
            return false;
        char answer[201];
        return waitFor(false) && ::recv(fd, answer, 200, 0) > 0;
    }

private:
    const char* m_command;
    int fd = -1;
};
