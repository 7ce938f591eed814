#pragma once
// Small lists for the records a page holds by the hundred thousand: a list
// of plain values that keeps its first item in itself and only more than
// one on the heap, and an owning list of objects built the same way. A page
// of short paragraphs or table cells holds one line, one index entry, one
// section per cell: none of them costs a heap block of its own.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace htmlengine {

// Values that may be copied bytewise (integers, pointers, plain records).
template <class T>
class CompactVector {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    using value_type = T;
    using iterator = T*;
    using const_iterator = const T*;

    CompactVector() : one_() {}
    ~CompactVector() { Free(); }
    CompactVector(const CompactVector& other) : one_() { assign(other.begin(), other.end()); }
    CompactVector& operator=(const CompactVector& other) {
        if (this != &other) {
            clear();
            assign(other.begin(), other.end());
        }
        return *this;
    }
    CompactVector(CompactVector&& other) noexcept : size_(other.size_), cap_(other.cap_) {
        TakeItems(other);
    }
    CompactVector& operator=(CompactVector&& other) noexcept {
        if (this != &other) {
            Free();
            size_ = other.size_;
            cap_ = other.cap_;
            TakeItems(other);
        }
        return *this;
    }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T* data() { return cap_ ? many_ : &one_; }
    const T* data() const { return cap_ ? many_ : &one_; }
    T* begin() { return data(); }
    T* end() { return data() + size_; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size_; }
    T& operator[](size_t i) { return data()[i]; }
    const T& operator[](size_t i) const { return data()[i]; }
    T& front() { return data()[0]; }
    const T& front() const { return data()[0]; }
    T& back() { return data()[size_ - 1]; }
    const T& back() const { return data()[size_ - 1]; }

    void push_back(const T& value) {
        if (size_ == Capacity()) {
            const T copy = value;  // value may lie in the block that moves
            Grow(size_ + 1);
            data()[size_++] = copy;
            return;
        }
        data()[size_++] = value;
    }
    template <class It>
    void insert(const T* at, It first, It last) {
        const size_t pos = static_cast<size_t>(at - begin());
        const size_t n = static_cast<size_t>(std::distance(first, last));
        if (size_ + n > Capacity()) Grow(size_ + n);
        T* d = data();
        std::memmove(static_cast<void*>(d + pos + n), d + pos, (size_ - pos) * sizeof(T));
        std::copy(first, last, d + pos);
        size_ += static_cast<uint32_t>(n);
    }
    void resize(size_t n, const T& value) {
        if (n > Capacity()) Grow(n);
        T* d = data();
        for (size_t i = size_; i < n; ++i) d[i] = value;
        size_ = static_cast<uint32_t>(n);
    }
    void reserve(size_t n) {
        if (n > Capacity()) Grow(n, true);
    }
    void clear() { size_ = 0; }
    void shrink_to_fit() {
        if (size_ == 0) {
            Free();
            Reset();
        }
    }

private:
    size_t Capacity() const { return cap_ ? cap_ : 1; }
    // exact: room for n and no more, for lists that are filled once.
    void Grow(size_t n, bool exact = false) {
        const size_t cap = exact ? n : std::max<size_t>({n, 4, 2 * Capacity()});
        T* block = static_cast<T*>(::operator new(cap * sizeof(T)));
        std::memcpy(static_cast<void*>(block), data(), size_ * sizeof(T));
        Free();
        many_ = block;
        cap_ = static_cast<uint32_t>(cap);
    }
    template <class It>
    void assign(It first, It last) {
        for (; first != last; ++first) push_back(*first);
    }
    void Free() {
        if (cap_) ::operator delete(many_);
    }
    void Reset() {
        size_ = cap_ = 0;
        new (&one_) T();
    }
    // The one item or the block pointer, whichever is in use and however small T is.
    void TakeItems(CompactVector& other) {
        std::memcpy(static_cast<void*>(&one_), &other.one_, std::max(sizeof(T), sizeof(T*)));
        other.Reset();
    }

    uint32_t size_ = 0;
    uint32_t cap_ = 0;  // 0: the one item lives in one_
    union {
        T one_;
        T* many_;
    };
};

// The bytes of a section's text: up to 8 in itself, more in one heap block.
// Half the size of a std::string, which matters for pages of many short
// paragraphs or cells.
class SectionChars {
public:
    SectionChars() = default;
    ~SectionChars() { Free(); }
    SectionChars(const SectionChars&) = delete;
    SectionChars& operator=(const SectionChars&) = delete;

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    char* data() { return cap_ > kInline ? heap_ : inline_; }
    const char* data() const { return cap_ > kInline ? heap_ : inline_; }
    char& operator[](size_t i) { return data()[i]; }
    char operator[](size_t i) const { return data()[i]; }
    char back() const { return data()[size_ - 1]; }
    operator std::string_view() const { return {data(), size_}; }
    operator std::string() const { return str(); }
    std::string str() const { return std::string(data(), size_); }
    std::string substr(size_t pos, size_t n = std::string::npos) const {
        return std::string(std::string_view(*this).substr(pos, n));
    }
    size_t find(std::string_view text, size_t from = 0) const { return std::string_view(*this).find(text, from); }
    size_t find(char c, size_t from = 0) const { return std::string_view(*this).find(c, from); }

    void append(std::string_view text) {
        if (size_ + text.size() > cap_) Grow(size_ + text.size());
        std::memcpy(data() + size_, text.data(), text.size());
        size_ += static_cast<uint32_t>(text.size());
    }
    void append(std::string_view text, size_t from) { append(text.substr(from)); }

    friend bool operator==(const SectionChars& a, std::string_view b) { return std::string_view(a) == b; }
    friend std::string operator+(const std::string& a, const SectionChars& b) { return a + b.str(); }
    friend std::string operator+(const SectionChars& a, const std::string& b) { return a.str() + b; }
    friend std::string operator+(const char* a, const SectionChars& b) { return a + b.str(); }
    friend std::string operator+(const SectionChars& a, const char* b) { return a.str() + b; }
    friend std::ostream& operator<<(std::ostream& out, const SectionChars& c) { return out << std::string_view(c); }

private:
    static constexpr uint32_t kInline = 8;
    void Grow(size_t n) {
        const size_t cap = std::max<size_t>(n, cap_ > kInline ? 2 * size_t(cap_) : 2 * size_t(kInline));
        char* block = static_cast<char*>(::operator new(cap));
        std::memcpy(block, data(), size_);
        Free();
        heap_ = block;
        cap_ = static_cast<uint32_t>(cap);
    }
    void Free() {
        if (cap_ > kInline) ::operator delete(heap_);
    }

    uint32_t size_ = 0;
    uint32_t cap_ = kInline;  // more than kInline: the bytes lie in heap_
    union {
        char inline_[kInline] = {};
        char* heap_;
    };
};

// Values that may be copied bytewise, for lists that are mostly empty: one
// pointer, null while empty, to a block that holds the count, the room and
// the items.
template <class T>
class ThinVector {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T> && alignof(T) <= 8);

public:
    using value_type = T;
    using iterator = T*;
    using const_iterator = const T*;

    ThinVector() = default;
    ~ThinVector() { ::operator delete(block_); }
    ThinVector(const ThinVector& other) { insert(end(), other.begin(), other.end()); }
    ThinVector& operator=(const ThinVector& other) {
        if (this != &other) {
            clear();
            insert(end(), other.begin(), other.end());
        }
        return *this;
    }
    ThinVector(ThinVector&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    ThinVector& operator=(ThinVector&& other) noexcept {
        std::swap(block_, other.block_);
        return *this;
    }

    size_t size() const { return block_ ? block_->size : 0; }
    bool empty() const { return size() == 0; }
    T* data() const { return block_ ? reinterpret_cast<T*>(block_ + 1) : nullptr; }
    T* begin() const { return data(); }
    T* end() const { return data() + size(); }
    T& operator[](size_t i) const { return data()[i]; }
    T& front() const { return data()[0]; }
    T& back() const { return data()[size() - 1]; }

    void push_back(const T& value) {
        const T copy = value;  // value may lie in the block that moves
        if (size() == Capacity()) Grow(size() + 1);
        data()[block_->size++] = copy;
    }
    template <class It>
    void insert(const T* at, It first, It last) {
        const size_t pos = static_cast<size_t>(at - begin());
        const size_t n = static_cast<size_t>(std::distance(first, last));
        if (n == 0) return;
        if (size() + n > Capacity()) Grow(size() + n);
        T* d = data();
        std::memmove(static_cast<void*>(d + pos + n), d + pos, (block_->size - pos) * sizeof(T));
        std::copy(first, last, d + pos);
        block_->size += static_cast<uint32_t>(n);
    }
    void resize(size_t n, const T& value) {
        if (n > Capacity()) Grow(n);
        for (size_t i = size(); i < n; ++i) data()[i] = value;
        if (block_) block_->size = static_cast<uint32_t>(n);
    }
    void clear() {
        if (block_) block_->size = 0;
    }
    // Gives the room back.
    void shrink_to_fit() {
        if (empty()) {
            ::operator delete(block_);
            block_ = nullptr;
        }
    }

private:
    struct alignas(8) Block {
        uint32_t size;
        uint32_t cap;
    };
    size_t Capacity() const { return block_ ? block_->cap : 0; }
    void Grow(size_t n) {
        // A list of one item (a cell's one section) takes room for one.
        const size_t cap = std::max<size_t>(n, 2 * Capacity());
        auto* block = static_cast<Block*>(::operator new(sizeof(Block) + cap * sizeof(T)));
        block->size = static_cast<uint32_t>(size());
        block->cap = static_cast<uint32_t>(cap);
        if (block_) std::memcpy(static_cast<void*>(block + 1), data(), size() * sizeof(T));
        ::operator delete(block_);
        block_ = block;
    }

    Block* block_ = nullptr;
};

// A list that owns its items; one pointer while empty. Walking it gives
// each item as an owner would (get, ->, a test for null).
template <class T>
class TFreeList {
public:
    class Item {
    public:
        explicit Item(T* p) : p_(p) {}
        T* get() const { return p_; }
        T* operator->() const { return p_; }
        T& operator*() const { return *p_; }
        explicit operator bool() const { return p_ != nullptr; }

    private:
        T* p_;
    };
    class Iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using difference_type = std::ptrdiff_t;
        using value_type = Item;
        using reference = Item;
        using pointer = void;

        Iterator() = default;
        explicit Iterator(T* const* at) : at_(at) {}
        Item operator*() const { return Item(*at_); }
        Item operator[](difference_type n) const { return Item(at_[n]); }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        Iterator& operator--() {
            --at_;
            return *this;
        }
        Iterator& operator+=(difference_type n) {
            at_ += n;
            return *this;
        }
        Iterator operator+(difference_type n) const { return Iterator(at_ + n); }
        difference_type operator-(const Iterator& other) const { return at_ - other.at_; }
        auto operator<=>(const Iterator& other) const = default;

    private:
        T* const* at_ = nullptr;
    };

    TFreeList() = default;
    ~TFreeList() { Clear(); }
    TFreeList(const TFreeList&) = delete;
    TFreeList& operator=(const TFreeList&) = delete;

    T* Add(std::unique_ptr<T> item) {
        items_.push_back(item.get());
        return item.release();
    }
    T* Insert(size_t index, std::unique_ptr<T> item) {
        T* p = item.get();
        items_.insert(items_.begin() + index, &p, &p + 1);
        item.release();
        return p;
    }
    // Removes the item and hands it over.
    std::unique_ptr<T> Take(int32_t index) {
        std::unique_ptr<T> item(items_[static_cast<size_t>(index)]);
        T** d = items_.data();
        std::memmove(static_cast<void*>(d + index), d + index + 1, (items_.size() - size_t(index) - 1) * sizeof(T*));
        items_.resize(items_.size() - 1, nullptr);
        return item;
    }
    // Frees the items in list order.
    void Clear() {
        for (T* item : items_) delete item;
        items_.clear();
        items_.shrink_to_fit();
    }
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    T* operator[](int32_t i) const { return items_[static_cast<size_t>(i)]; }
    T* Last() const { return items_.empty() ? nullptr : items_.back(); }
    Iterator begin() const { return Iterator(items_.begin()); }
    Iterator end() const { return Iterator(items_.end()); }

private:
    ThinVector<T*> items_;
};

}  // namespace htmlengine
