#pragma once

#include <array>
#include <atomic>
#include <cstddef>

namespace pelmar {

// A value the user-interface thread and a worker thread (listener, player,
// lighting preview) both use. Every read and write is one relaxed atomic
// access, so a thread always sees a whole value, old or new; a copy is made
// value by value. It reads and assigns like the plain value it holds. Where a
// change must land together with other data, the callers hold a lock.
template <typename T>
class SharedField {
  public:
    SharedField() = default;
    SharedField(T value) : value_(value) {}
    SharedField(const SharedField& other) : value_(other.Load()) {}
    SharedField& operator=(const SharedField& other) {
        Store(other.Load());
        return *this;
    }
    SharedField& operator=(T value) {
        Store(value);
        return *this;
    }
    operator T() const { return Load(); }

    T Load() const { return value_.load(std::memory_order_relaxed); }
    void Store(T value) { value_.store(value, std::memory_order_relaxed); }

  private:
    std::atomic<T> value_{};
};

// A fixed row of shared values, taken from and compared with a plain array.
template <typename T, std::size_t N>
class SharedArray {
  public:
    SharedArray() = default;
    SharedArray(const std::array<T, N>& values) { *this = values; }
    SharedArray& operator=(const std::array<T, N>& values) {
        for (std::size_t i = 0; i < N; ++i) {
            fields_[i] = values[i];
        }
        return *this;
    }
    operator std::array<T, N>() const {
        std::array<T, N> values{};
        for (std::size_t i = 0; i < N; ++i) {
            values[i] = fields_[i];
        }
        return values;
    }

    void fill(T value) {
        for (SharedField<T>& field : fields_) {
            field = value;
        }
    }

    SharedField<T>& operator[](std::size_t i) { return fields_[i]; }
    const SharedField<T>& operator[](std::size_t i) const { return fields_[i]; }
    auto begin() { return fields_.begin(); }
    auto end() { return fields_.end(); }
    auto begin() const { return fields_.begin(); }
    auto end() const { return fields_.end(); }

    bool operator==(const SharedArray& other) const {
        return std::array<T, N>(*this) == std::array<T, N>(other);
    }
    friend bool operator==(const SharedArray& shared, const std::array<T, N>& values) {
        return std::array<T, N>(shared) == values;
    }

  private:
    std::array<SharedField<T>, N> fields_{};
};

}  // namespace pelmar
