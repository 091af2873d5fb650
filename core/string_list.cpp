#include "core/string_list.h"

#include <utility>

namespace qs {

StringList::StringList(int initialCount) {
    SetCount(initialCount);
}

StringList::~StringList() {
    RemoveAll();
}

StringList::StringList(const StringList& other) {
    for (const std::string& text : other) AddTail(text);
}

StringList& StringList::operator=(const StringList& other) {
    if (this != &other) {
        StringList copy(other);
        *this = std::move(copy);
    }
    return *this;
}

StringList::StringList(StringList&& other) noexcept
    : count_(std::exchange(other.count_, 0)),
      head_(std::exchange(other.head_, nullptr)),
      tail_(std::exchange(other.tail_, nullptr)) {}

StringList& StringList::operator=(StringList&& other) noexcept {
    if (this != &other) {
        RemoveAll();
        count_ = std::exchange(other.count_, 0);
        head_ = std::exchange(other.head_, nullptr);
        tail_ = std::exchange(other.tail_, nullptr);
    }
    return *this;
}

void StringList::AddHeadUnique(std::string_view text, int max) {
    Node* node = new Node{std::string(text), head_};
    head_ = node;
    if (!tail_) tail_ = node;
    ++count_;
    if (count_ == 1) return;

    for (Node* previous = node; previous->next; previous = previous->next) {
        if (previous->next->text == text) {
            Unlink(previous, previous->next);
            return;
        }
    }
    if (count_ > max) RemoveTail();
}

void StringList::AddTail(std::string_view text) {
    Node* node = new Node{std::string(text), nullptr};
    if (tail_) {
        tail_->next = node;
    } else {
        head_ = node;
    }
    tail_ = node;
    ++count_;
}

void StringList::AddTailUnique(std::string_view text) {
    for (const std::string& entry : *this) {
        if (entry == text) return;
    }
    AddTail(text);
}

const std::string* StringList::GetAt(int index) const {
    const Node* node = NodeAt(index);
    return node ? &node->text : nullptr;
}

void StringList::SetAtGrow(int index, std::string_view text) {
    if (index < 0) return;
    if (Node* node = NodeAt(index)) {
        node->text.assign(text);
        return;
    }
    while (count_ < index) AddTail({});
    AddTail(text);
}

void StringList::RemoveAt(int index) {
    if (index < 0 || index >= count_) return;
    if (index == 0) {
        Unlink(nullptr, head_);
    } else {
        Node* previous = NodeAt(index - 1);
        Unlink(previous, previous->next);
    }
}

void StringList::RemoveHead() {
    if (head_) Unlink(nullptr, head_);
}

void StringList::RemoveTail() {
    if (count_ == 0) return;
    RemoveAt(count_ - 1);
}

void StringList::RemoveAll() {
    // Iterative, so a list of half a million entries cannot exhaust the stack.
    Node* node = head_;
    while (node) {
        Node* next = node->next;
        delete node;
        node = next;
    }
    head_ = tail_ = nullptr;
    count_ = 0;
}

void StringList::EmptyAll() {
    for (Node* node = head_; node; node = node->next) node->text.clear();
}

void StringList::SetCount(int n) {
    while (count_ < n) AddTail({});
    if (n <= 0) {
        RemoveAll();
        return;
    }
    if (count_ > n) {
        Node* last = NodeAt(n - 1);
        Node* rest = last->next;
        last->next = nullptr;
        tail_ = last;
        count_ = n;
        while (rest) {
            Node* next = rest->next;
            delete rest;
            rest = next;
        }
    }
}

StringList::Node* StringList::NodeAt(int index) const {
    if (index < 0 || index >= count_) return nullptr;
    if (index == count_ - 1) return tail_;
    Node* node = head_;
    while (index-- > 0) node = node->next;
    return node;
}

void StringList::Unlink(Node* previous, Node* node) {
    if (previous) {
        previous->next = node->next;
    } else {
        head_ = node->next;
    }
    if (tail_ == node) tail_ = previous;
    delete node;
    --count_;
}

}  // namespace qs
