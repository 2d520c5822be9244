// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Attribute sets of a shell item, as small bit sets of enumeration members.
#include <cstdint>

namespace platterwise {

template <typename E>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> members) {
        for (E m : members) {
            Include(m);
        }
    }
    constexpr bool Contains(E m) const { return (bits_ & Bit(m)) != 0; }
    constexpr void Include(E m) { bits_ |= Bit(m); }
    constexpr void Exclude(E m) { bits_ &= ~Bit(m); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint32_t Bits() const { return bits_; }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E m) { return std::uint32_t(1) << unsigned(m); }
    std::uint32_t bits_ = 0;
};

// What may be done with an item, in set order.
enum TShellItemAction { iaCopy, iaDelete, iaLink, iaMove, iaRename, iaDropTarget, iaPropertySheet };
using TShellItemActions = TEnumSet<TShellItemAction>;

// What an item is, in set order.
enum TShellItemState {
    isHidden,
    isLink,
    isReadOnly,
    isShared,
    isFileSystem,
    isFileSystemAncestor,
    isRemovable,
    isValidate
};
using TShellItemStates = TEnumSet<TShellItemState>;

} // namespace platterwise
