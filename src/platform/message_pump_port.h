#pragma once

namespace spindrel {

// "Let pending messages run": other handlers and timer ticks may run inside this call.
class MessagePump {
public:
    virtual ~MessagePump() = default;
    virtual void processMessages() = 0;
};

}  // namespace spindrel
