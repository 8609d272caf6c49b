#pragma once
// Where a model field meets the window that shows it. Each binding reads its value from the model
// on every reflect, but touches the window only when the value differs from what it last applied:
// a reflect that changes nothing costs a few comparisons and no window calls.

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace spindrel {

class Bindings {
public:
    // read gives the value (a plain value, or a tuple of the fields shown together); apply shows
    // it. Applied once at the first reflect.
    template <typename Value>
    void add(std::function<Value()> read, std::function<void(const Value&)> apply) {
        all_.push_back(std::make_unique<Of<Value>>(std::move(read), std::move(apply)));
    }

    void reflect() {
        for (const auto& binding : all_) binding->reflect();
    }

    // Everything is applied again at the next reflect (the windows were rebuilt).
    void forget() {
        for (const auto& binding : all_) binding->forget();
    }

    void clear() { all_.clear(); }

private:
    struct Binding {
        virtual ~Binding() = default;
        virtual void reflect() = 0;
        virtual void forget() = 0;
    };

    template <typename Value>
    struct Of : Binding {
        Of(std::function<Value()> r, std::function<void(const Value&)> a)
            : read(std::move(r)), apply(std::move(a)) {}
        void reflect() override {
            Value now = read();
            if (shown && *shown == now) return;
            apply(now);
            shown = std::move(now);
        }
        void forget() override { shown.reset(); }

        std::function<Value()> read;
        std::function<void(const Value&)> apply;
        std::optional<Value> shown;
    };

    std::vector<std::unique_ptr<Binding>> all_;
};

}  // namespace spindrel
