#pragma once
// Machinery of the typed binding of the configuration document: a base for element wrappers
// with typed attribute access and shared child wrappers, and the list of repeated children.
//
// Wrappers are views of the one shared document. Reading accessors are const; child and list
// accessors are const too and hand out the shared wrapper, which is created when first asked for
// and lives as long as its parent.

#include "config/UAlignment.h"
#include "config/UConfigKeys.h"
#include "config/UXMLElement.h"

#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantero {

// A real as attribute text with "," as the decimal separator (shortest text that reads back exactly).
std::string ConfigFloatToStr(double value);
// The text of the list-index error: "List index out of bounds (N)".
std::string ListIndexErrorText(int index);

// Base of the lists of repeated children (so that a parent can own lists of any item type).
class TXMLListBase {
public:
	TXMLListBase() = default;
	virtual ~TXMLListBase() = default;
	TXMLListBase(const TXMLListBase &) = delete;
	TXMLListBase &operator=(const TXMLListBase &) = delete;
};

// Element wrapper with typed attribute access; a missing or malformed number is an EGameError naming the key.
class TXMLBoundElement : public TXMLElement {
public:
	explicit TXMLBoundElement(pugi::xml_node node) : TXMLElement(node) {}

protected:
	// --- Typed reading ---
	int ReadInteger(std::string_view name) const;
	// A real with "," as the decimal separator.
	double ReadReal(std::string_view name) const;
	// The text unchanged; the empty text when absent.
	std::string ReadText(std::string_view name) const;
	THAlign ReadHAlign(std::string_view name) const;
	TVAlign ReadVAlign(std::string_view name) const;

	// --- Typed writing ---
	void WriteInteger(std::string_view name, int value);
	void WriteReal(std::string_view name, double value);
	void WriteText(std::string_view name, std::string_view value);
	void WriteHAlign(std::string_view name, THAlign value);
	void WriteVAlign(std::string_view name, TVAlign value);

	// The shared wrapper of the child element of that name; the element is added when missing.
	template <class T>
	T &ChildElement(const char *name) const;
	// The shared list of the repeated children of that name.
	template <class L>
	L &ChildList(const char *name) const;

private:
	// Wrappers handed out so far, by element name.
	mutable std::map<std::string, std::unique_ptr<TXMLElement>, std::less<>> Children;
	mutable std::map<std::string, std::unique_ptr<TXMLListBase>, std::less<>> Lists;
};

// The repeated children of one name below a parent element, in document order.
// Indexes are 0-based; an index out of range throws std::out_of_range("List index out of bounds (N)").
template <class T>
class TXMLList : public TXMLListBase {
public:
	class iterator {
	public:
		using iterator_category = std::forward_iterator_tag;
		using value_type = T;
		using difference_type = std::ptrdiff_t;
		using pointer = T *;
		using reference = T &;
		iterator(const TXMLList *list, int index) : List(list), Index(index) {}
		T &operator*() const { return List->Item(Index); }
		T *operator->() const { return &List->Item(Index); }
		iterator &operator++() { ++Index; return *this; }
		iterator operator++(int) { iterator old = *this; ++Index; return old; }
		bool operator==(const iterator &other) const { return Index == other.Index; }

	private:
		const TXMLList *List;
		int Index;
	};

	TXMLList(pugi::xml_node parent, std::string itemName) : Parent(parent), ItemTag(std::move(itemName)) {}

	// Number of children of the item name.
	int Count() const;
	// The item at the index.
	T &Item(int index) const;
	T &operator[](int index) const { return Item(index); }
	// Appends a new, empty element after the last item (at the end of the parent when there is none).
	T &Add();
	// Inserts a new, empty element before the item at the index (Index = Count appends).
	T &Insert(int index);
	// Removes the item at the index from the document; its wrapper is destroyed.
	void Delete(int index);
	// Removes the item from the document; returns its former index, or -1 when it is not in the list.
	int Remove(const T &item);
	// Removes every item from the document.
	void Clear();
	// The first item whose "Id" attribute is the integer (items without a readable Id are skipped); null when none.
	T *FindById(int id) const;
	// The element name of the items.
	const std::string &ItemName() const { return ItemTag; }

	iterator begin() const { return iterator(this, 0); }
	iterator end() const { return iterator(this, Count()); }

private:
	pugi::xml_node NodeAt(int index) const;
	T &Wrap(pugi::xml_node node) const;

	// Where the items live.
	pugi::xml_node Parent;
	std::string ItemTag;
	// Item wrappers handed out so far, by their DOM node.
	mutable std::map<pugi::xml_node, std::unique_ptr<T>> Wrappers;
};

// --- Template implementation ---

template <class T>
T &TXMLBoundElement::ChildElement(const char *name) const
{
	const auto found = Children.find(std::string_view(name));
	if (found != Children.end())
		return static_cast<T &>(*found->second);
	pugi::xml_node node = Node;
	pugi::xml_node child = node.child(name);
	if (!child)
		child = node.append_child(name);
	auto wrapper = std::make_unique<T>(child);
	T &result = *wrapper;
	Children.emplace(name, std::move(wrapper));
	return result;
}

template <class L>
L &TXMLBoundElement::ChildList(const char *name) const
{
	const auto found = Lists.find(std::string_view(name));
	if (found != Lists.end())
		return static_cast<L &>(*found->second);
	auto list = std::make_unique<L>(Node, name);
	L &result = *list;
	Lists.emplace(name, std::move(list));
	return result;
}

template <class T>
int TXMLList<T>::Count() const
{
	int count = 0;
	for (pugi::xml_node node = Parent.child(ItemTag.c_str()); node; node = node.next_sibling(ItemTag.c_str()))
		++count;
	return count;
}

template <class T>
pugi::xml_node TXMLList<T>::NodeAt(int index) const
{
	if (index < 0)
		return {};
	pugi::xml_node node = Parent.child(ItemTag.c_str());
	for (int i = 0; node && i < index; ++i)
		node = node.next_sibling(ItemTag.c_str());
	return node;
}

template <class T>
T &TXMLList<T>::Wrap(pugi::xml_node node) const
{
	auto &slot = Wrappers[node];
	if (!slot)
		slot = std::make_unique<T>(node);
	return *slot;
}

template <class T>
T &TXMLList<T>::Item(int index) const
{
	const pugi::xml_node node = NodeAt(index);
	if (!node)
		throw std::out_of_range(ListIndexErrorText(index));
	return Wrap(node);
}

template <class T>
T &TXMLList<T>::Add()
{
	pugi::xml_node last = Parent.last_child();
	while (last && ItemTag != last.name())
		last = last.previous_sibling();
	const pugi::xml_node node = last ? Parent.insert_child_after(ItemTag.c_str(), last) : Parent.append_child(ItemTag.c_str());
	if (!node)
		throw std::logic_error("TXMLList.Add: the list has no parent element");
	return Wrap(node);
}

template <class T>
T &TXMLList<T>::Insert(int index)
{
	if (index == Count())
		return Add();
	const pugi::xml_node before = NodeAt(index);
	if (!before)
		throw std::out_of_range(ListIndexErrorText(index));
	return Wrap(Parent.insert_child_before(ItemTag.c_str(), before));
}

template <class T>
void TXMLList<T>::Delete(int index)
{
	const pugi::xml_node node = NodeAt(index);
	if (!node)
		throw std::out_of_range(ListIndexErrorText(index));
	Wrappers.erase(node);
	Parent.remove_child(node);
}

template <class T>
int TXMLList<T>::Remove(const T &item)
{
	int index = 0;
	for (pugi::xml_node node = Parent.child(ItemTag.c_str()); node; node = node.next_sibling(ItemTag.c_str()), ++index)
		if (node == item.DomNode()) {
			Delete(index);
			return index;
		}
	return -1;
}

template <class T>
void TXMLList<T>::Clear()
{
	while (pugi::xml_node node = Parent.child(ItemTag.c_str())) {
		Wrappers.erase(node);
		Parent.remove_child(node);
	}
}

template <class T>
T *TXMLList<T>::FindById(int id) const
{
	for (pugi::xml_node node = Parent.child(ItemTag.c_str()); node; node = node.next_sibling(ItemTag.c_str())) {
		const pugi::xml_attribute attribute = node.attribute("Id");
		if (attribute && ParseInteger(attribute.value()) == id)
			return &Wrap(node);
	}
	return nullptr;
}

} // namespace vantero
