#ifndef REQUESTER_H
#define REQUESTER_H

// Receives measurement data lines and measurement start/stop notices from the
// command channel.  Requesters stay owned by their creators and must
// unregister from the channel before they are destroyed.
class Requester
{
public:
    virtual ~Requester() = default;

    // One data line whose first word is identifier.  Runs on the channel's data
    // thread; both texts are valid only during the call.
    virtual int set_ascii_data(const char* identifier, const char* line) = 0;
    // Run on the thread whose command started or stopped the measurement.
    virtual void set_mea_started() = 0;
    virtual void set_mea_stopped() = 0;
};

#endif
