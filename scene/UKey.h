#pragma once
// A key frame: one complete visual state of an animation object at a time on its clock,
// and the owning, time-ordered collection of keys that forms an object's timeline.

#include "render/USprite.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantero {

class TKeyCollection;

class TKey {
public:
	// A free-standing key with the defaults below (no collection).
	TKey() = default;
	TKey(const TKey &) = delete;
	TKey &operator=(const TKey &) = delete;

	// A key with the defaults, appended to the collection (which owns it).
	static TKey &Create(TKeyCollection &collection);

	// Copies this key into dest: every field but Sound, the sprite through SetSprite.
	void AssignTo(TKey &dest) const;
	// Makes this key a copy of source (source.AssignTo(*this)).
	void Assign(const TKey &source) { source.AssignTo(*this); }

	// Sets the sprite by name; resets size, frame count, mirror and clip to the new sequence.
	void SetSprite(const std::string &name);
	// Integer part of Frame wrapped into 0 .. FrameCount - 1 (0 without frames).
	int FrameIndex() const;
	// Seconds per frame: 1 / FrameRate.
	double FrameDuration() const { return 1.0 / FrameRate; }
	// Horizontal offset from the anchor point to the top-left corner of the clipped picture.
	double AnchorOffsetX() const;
	// Vertical offset from the anchor point to the top-left corner of the clipped picture.
	double AnchorOffsetY() const;
	// Free anchor: Align := 6 with the given offsets.
	void SetAnchor(double ax, double ay);
	// Becomes a copy of a with position, alpha, frame, scale and clip interpolated towards b at time t.
	void Interpolate(const TKey &a, const TKey &b, double t);

public:
	// Source rectangle inside the sprite, in pixels.
	double ClipLeft = 0;
	double ClipTop = 0;
	double ClipRight = 0;
	double ClipBottom = 0;
	// Place and look on screen.
	double X = 0;
	double Y = 0;
	double Alpha = 255;
	bool Mirror = false;
	bool FaceRight = true;
	double Scale = 1.0;
	uint8_t DrawMode = 0;
	bool Hidden = false;
	// Anchor: mode 0..6 and the free offsets of mode 6.
	uint8_t Align = 0;
	double AnchorX = 0;
	double AnchorY = 0;
	// Timing: time stamp on the owner's clock, position in the sequence, frames per second.
	double Time = 0;
	double Frame = 0;
	double FrameRate = 1.0;
	bool AnimateWhenIdle = false;
	// The sprite: name, the sequence found for it (not owned; null when none) and its size.
	std::string SpriteName;
	TSequence *Sequence = nullptr;
	int Width = 0;
	int Height = 0;
	int FrameCount = 0;
	// Sound played once when the clock passes this key; cleared when played.
	std::string Sound;
};

// The keys of one timeline in time order. The collection owns its keys; a key keeps its
// address until it is deleted, so references to other keys survive deletions at the front.
class TKeyCollection {
public:
	TKeyCollection() = default;
	TKeyCollection(const TKeyCollection &) = delete;
	TKeyCollection &operator=(const TKeyCollection &) = delete;

	// Appends a key with the defaults and returns it.
	TKey &Add();
	// Number of keys.
	int Count() const { return static_cast<int>(Items.size()); }
	// The key at index (0-based, must exist).
	TKey &operator[](int index) { return *Items[static_cast<size_t>(index)]; }
	const TKey &operator[](int index) const { return *Items[static_cast<size_t>(index)]; }
	// The last key; null when the collection is empty.
	TKey *Last() { return Items.empty() ? nullptr : Items.back().get(); }
	const TKey *Last() const { return Items.empty() ? nullptr : Items.back().get(); }
	// Index of the key in this collection; -1 when it is not one of its keys (or null).
	int IndexOf(const TKey *key) const;
	// Deletes the first count keys (fewer when there are fewer).
	void DeleteFront(int count);
	// Deletes every key.
	void Clear() { Items.clear(); }

	// Range-for over the keys.
	class Iterator {
	public:
		explicit Iterator(std::vector<std::unique_ptr<TKey>>::const_iterator at) : At(at) {}
		TKey &operator*() const { return **At; }
		Iterator &operator++() { ++At; return *this; }
		bool operator!=(const Iterator &other) const { return At != other.At; }
	private:
		std::vector<std::unique_ptr<TKey>>::const_iterator At;
	};
	Iterator begin() const { return Iterator(Items.begin()); }
	Iterator end() const { return Iterator(Items.end()); }

private:
	// The owned keys in time order.
	std::vector<std::unique_ptr<TKey>> Items;
};

} // namespace vantero
