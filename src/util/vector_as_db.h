// A vector used as a tiny table: a predicate object names the rows, and the
// rows it names can be taken out in one pass. Predicates are objects rather
// than lambdas so that a query can be handed around and kept by name.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

template <typename T>
class keslVectorAsDB_where {
public:
    virtual ~keslVectorAsDB_where() = default;
    virtual bool test(const T& entry) const = 0;
};

// Removes every entry the predicate names, keeping the others in their order;
// returns how many went.
template <typename T>
std::size_t keslRemoveWhere(std::vector<T>& entries, const keslVectorAsDB_where<T>& where) {
    const auto kept = std::remove_if(entries.begin(), entries.end(), [&](const T& e) { return where.test(e); });
    const auto removed = static_cast<std::size_t>(entries.end() - kept);
    entries.erase(kept, entries.end());
    return removed;
}
