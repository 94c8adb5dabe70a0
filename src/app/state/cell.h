#pragma once

#include <functional>
#include <utility>

namespace tessivo {

// A state cell of the main window. Assigning a value runs the change handler at once, nested
// inside the assignment, and only when the value really changes.
template <class T>
class Cell {
public:
    Cell() = default;
    explicit Cell(T initial) : value_(std::move(initial)) {}

    const T& operator()() const { return value_; }
    const T& get() const { return value_; }

    void onChange(std::function<void()> handler) { handler_ = std::move(handler); }

    // Returns whether the value changed (and so whether the handler ran).
    bool set(const T& value) {
        if (value == value_) return false;
        value_ = value;
        if (handler_) handler_();
        return true;
    }

private:
    T value_{};
    std::function<void()> handler_;
};

}  // namespace tessivo
