#include "render/USpritePool.h"

namespace vantero {

TSpritePool *SpritePool = nullptr;

TSequence *TSpritePool::FindSequence(std::string_view name) const
{
	const std::string wanted = LowerCase(name);
	for (const auto &entry : Sequences) {
		const std::string &candidate = entry.Sequence->Name;
		// The first occurrence of the request inside the name must end exactly at its end.
		const size_t at = candidate.find(wanted);
		if (at != std::string::npos && at + wanted.size() == candidate.size())
			return entry.Sequence.get();
	}
	return nullptr;
}

TSequence &TSpritePool::AddSequence(const std::string &packId, std::unique_ptr<TSequence> sequence)
{
	Sequences.push_back(TSequenceEntry{packId, std::move(sequence)});
	return *Sequences.back().Sequence;
}

} // namespace vantero
