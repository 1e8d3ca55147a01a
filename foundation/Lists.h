#pragma once
// Algorithms on intrusive singly and doubly linked lists whose links live inside
// the items. `Links` tells how the links are read and written:
//   struct Links { static T*& Next(T* item); static T*& Prev(T* item); };
// (Prev only for the doubly linked form.)

namespace quillora {

template <class T, class Links>
struct TDirectionalList {
    // Follows the next links `index` times from `first`; null when the chain ends earlier.
    static T* GetItem(T* first, int index)
    {
        if (index < 0) return nullptr;
        T* item = first;
        for (; item && index > 0; --index) item = Links::Next(item);
        return item;
    }
    // Steps from `first` to `item`; -1 when the chain ends first.
    static int IndexOf(T* first, const T* item)
    {
        int index = 0;
        for (T* p = first; p; p = Links::Next(p), ++index)
            if (p == item) return index;
        return -1;
    }
    // True when `b` is null or reached by following next links from `a`; false when a == b.
    static bool IsBefore(T* a, const T* b)
    {
        if (a == b) return false;
        if (!b) return true;
        for (T* p = a ? Links::Next(a) : nullptr; p; p = Links::Next(p))
            if (p == b) return true;
        return false;
    }
};

template <class T, class Links>
struct TUnidirectionalList : TDirectionalList<T, Links> {
    static T* Last(T* head)
    {
        if (!head) return nullptr;
        while (Links::Next(head)) head = Links::Next(head);
        return head;
    }
    static void PushFront(T* item, T*& head)
    {
        Links::Next(item) = head;
        head = item;
    }
    static void Append(T* item, T*& head)
    {
        Links::Next(item) = nullptr;
        if (!head) { head = item; return; }
        Links::Next(Last(head)) = item;
    }
    static void Remove(T* item, T*& head)
    {
        if (head == item) {
            head = Links::Next(item);
        } else {
            T* p = head;
            while (p && Links::Next(p) != item) p = Links::Next(p);
            if (!p) return;
            Links::Next(p) = Links::Next(item);
        }
        Links::Next(item) = nullptr;
    }
};

template <class T, class Links>
struct TBidirectionalList : TDirectionalList<T, Links> {
    // Links `item` before `before`, or at the end when `before` is null.
    static void InsertBefore(T* item, T* before, T*& first, T*& last)
    {
        if (before) {
            T* prev = Links::Prev(before);
            Links::Prev(item) = prev;
            Links::Next(item) = before;
            Links::Prev(before) = item;
            if (prev) Links::Next(prev) = item; else first = item;
        } else {
            Links::Prev(item) = last;
            Links::Next(item) = nullptr;
            if (last) Links::Next(last) = item; else first = item;
            last = item;
        }
    }
    static void Remove(T* item, T*& first, T*& last)
    {
        T* prev = Links::Prev(item);
        T* next = Links::Next(item);
        if (prev) Links::Next(prev) = next; else if (first == item) first = next;
        if (next) Links::Prev(next) = prev; else if (last == item) last = prev;
        Links::Prev(item) = nullptr;
        Links::Next(item) = nullptr;
    }
    static void Move(T* item, T* before, T*& first, T*& last)
    {
        Remove(item, first, last);
        InsertBefore(item, before, first, last);
    }
    // Removes and destroys every item, the first one first.
    static void Clear(T*& first, T*& last)
    {
        while (first) {
            T* item = first;
            Remove(item, first, last);
            delete item;
        }
    }
};

} // namespace quillora
