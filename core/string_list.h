// The program's one ordered text container: a singly linked list of owned
// byte strings, positions counted from 0 at the head. Histories rely on its
// most-recent-first insertion, the URL marker lists on its append-if-absent,
// sentence slots on its growing set-at.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

namespace qs {

class StringList {
    struct Node {
        std::string text;
        Node* next = nullptr;
    };

public:
    explicit StringList(int initialCount = 0);
    virtual ~StringList();
    StringList(const StringList& other);
    StringList& operator=(const StringList& other);
    StringList(StringList&& other) noexcept;
    StringList& operator=(StringList&& other) noexcept;

    int GetCount() const { return count_; }

    // Puts `text` in front. An equal older entry is removed instead of
    // trimming; otherwise one entry goes from the tail when the count
    // exceeds `max`. A list that was empty always keeps its new entry.
    void AddHeadUnique(std::string_view text, int max);
    void AddTail(std::string_view text);
    void AddTailUnique(std::string_view text);

    // The entry's text, or null when `index` is out of range. The pointer
    // stays valid until that entry is changed or removed.
    const std::string* GetAt(int index) const;
    // Replaces, or appends after filling any gap with empty entries.
    void SetAtGrow(int index, std::string_view text);

    void RemoveAt(int index);
    void RemoveHead();
    void RemoveTail();
    void RemoveAll();
    void EmptyAll();
    // Grows with empty entries or shrinks from the tail.
    void SetCount(int n);

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string*;
        using reference = const std::string&;

        const_iterator() = default;
        reference operator*() const { return node_->text; }
        pointer operator->() const { return &node_->text; }
        const_iterator& operator++() {
            node_ = node_->next;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            node_ = node_->next;
            return old;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        friend class StringList;
        explicit const_iterator(const Node* node) : node_(node) {}
        const Node* node_ = nullptr;
    };

    const_iterator begin() const { return const_iterator(head_); }
    const_iterator end() const { return const_iterator(); }

private:
    Node* NodeAt(int index) const;
    void Unlink(Node* previous, Node* node);

    int count_ = 0;
    Node* head_ = nullptr;
    // Kept so that appending, and so loading a long file, is not quadratic.
    Node* tail_ = nullptr;
};

}  // namespace qs
