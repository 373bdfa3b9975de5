#pragma once

#include <juce_core/juce_core.h>
#include <tsl/robin_map.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>

// The framework's string hash: start at 0, then hash = hash * 101 + code point.
struct StringHash
{
    std::size_t operator() (const juce::String& s) const noexcept
    {
        std::size_t hash = 0;
        for (auto t = s.getCharPointer(); ! t.isEmpty();)
            hash = hash * 101 + static_cast<std::size_t> (t.getAndAdvance());
        return hash;
    }
};

// A thin map over tsl::robin_map: the panel's id map and prop sets need only "insert if absent",
// "insert or overwrite" and "find or null".
template <typename Key, typename Value, typename Hash = StringHash, bool StoreHash = true>
class Dictionary
{
public:
    using Map = tsl::robin_map<Key, Value, Hash, std::equal_to<Key>,
                               std::allocator<std::pair<Key, Value>>, StoreHash>;

    // Inserts only when the key is absent, so the first value stays; true when it was inserted.
    bool insert (const Key& key, const Value& value) { return map.insert ({ key, value }).second; }

    // Inserts, or replaces the value already stored under the key.
    void insertOrAssign (const Key& key, const Value& value) { map.insert_or_assign (key, value); }

    // The stored value, or null when the key is absent; valid until the next insertion.
    Value* find (const Key& key)
    {
        auto it = map.find (key);
        return it == map.end() ? nullptr : &it.value();
    }

    const Value* find (const Key& key) const
    {
        auto it = map.find (key);
        return it == map.end() ? nullptr : &it->second;
    }

    bool contains (const Key& key) const { return map.find (key) != map.end(); }
    std::size_t size() const noexcept { return map.size(); }
    bool empty() const noexcept { return map.empty(); }
    void clear() noexcept { map.clear(); }

private:
    Map map;
};
