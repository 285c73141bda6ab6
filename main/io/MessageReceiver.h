#ifndef MESSAGERECEIVER_H
#define MESSAGERECEIVER_H

// A member of a named message class on the channel's in-process message bus.
// Messages arrive on the sender's thread; receivers that touch widgets must pass
// them on to the user-interface thread themselves.
//
// transmit_message is the first virtual slot, for modules built apart from the
// front-end; the protected, non-virtual destructor keeps it there and rules
// out deleting a receiver through this interface.
class MessageReceiver
{
public:
    virtual int transmit_message(int type, const char* source, const char* msg) = 0;

protected:
    ~MessageReceiver() = default;
};

#endif
