#pragma once
// Fixed-capacity list of references. Occupied slots stay packed at the
// front in the order they were added; the same reference may stand in
// several slots (a list holds units, not kinds).
#include <cstdint>
#include <memory>

template <class T>
struct PtrList {
    std::unique_ptr<T*[]> slots;
    std::uint32_t count = 0;
    std::uint32_t capacity = 0;

    T* at(std::uint32_t i) const { return i < capacity ? slots[i] : nullptr; }
    bool empty() const { return capacity == 0 || slots[0] == nullptr; }
    bool full() const { return capacity == 0 || slots[capacity - 1] != nullptr; }
};

template <class T>
void initList(PtrList<T>& list, std::uint32_t capacity) {
    list.slots = std::make_unique<T*[]>(capacity);
    for (std::uint32_t i = 0; i < capacity; ++i) list.slots[i] = nullptr;
    list.count = 0;
    list.capacity = capacity;
}

template <class T>
void freeList(PtrList<T>& list) {
    list.slots.reset();
    list.count = 0;
    list.capacity = 0;
}

template <class T>
std::uint32_t countInList(const PtrList<T>& list, const T* ref) {
    std::uint32_t n = 0;
    for (std::uint32_t i = 0; i < list.capacity; ++i)
        if (list.slots[i] != nullptr && list.slots[i] == ref) ++n;
    return n;
}

// Slot index of the new entry, or -1 when the last slot is taken.
template <class T>
int addToList(PtrList<T>& list, T* ref) {
    if (list.full()) return -1;
    for (std::uint32_t i = 0; i < list.capacity; ++i) {
        if (list.slots[i] == nullptr) {
            list.slots[i] = ref;
            ++list.count;
            return static_cast<int>(i);
        }
    }
    return -1;
}

template <class T>
void compactList(PtrList<T>& list) {
    std::uint32_t free = 0;
    for (std::uint32_t j = 0; j < list.capacity; ++j) {
        if (list.slots[j] == nullptr) continue;
        if (free != j) {
            list.slots[free] = list.slots[j];
            list.slots[j] = nullptr;
        }
        ++free;
    }
}

// Empties the first slot holding ref and closes the gap; -1 when absent.
template <class T>
int removeFromList(PtrList<T>& list, const T* ref) {
    if (ref == nullptr || list.capacity == 0) return -1;
    for (std::uint32_t i = 0; i < list.capacity; ++i) {
        if (list.slots[i] == ref) {
            list.slots[i] = nullptr;
            --list.count;
            compactList(list);
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Moves up to n units of item from one list to another; returns how many moved.
template <class T>
int transferItems(T* item, int n, PtrList<T>& from, PtrList<T>& to) {
    int available = static_cast<int>(countInList(from, item));
    if (n > available) n = available;
    if (n <= 0) return 0;
    int moved = 0;
    for (int i = 0; i < n; ++i) {
        if (to.full()) break;
        addToList(to, item);
        if (removeFromList(from, item) < 0) break;
        ++moved;
    }
    return moved;
}
