#ifndef MESSAGERECEIVER_H
#define MESSAGERECEIVER_H

// A member of a named message class on the channel's in-process message bus.
// Messages arrive on the sender's thread; receivers that touch widgets must pass
// them on to the user-interface thread themselves.
class MessageReceiver
{
public:
    virtual ~MessageReceiver() = default;
    virtual int transmit_message(int type, const char* source, const char* msg) = 0;
};

#endif
