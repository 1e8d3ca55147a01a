#include "text/Attributes.h"

#include <typeinfo>
#include <unordered_map>

#include "foundation/Exceptions.h"

namespace quillora {

// The process-wide registry: a list of registered instances, newest first, with an index
// by hash so that finding an equal instance does not scan the whole list when a text
// holds many distinct links.
struct TAttributesRegistryAccess {
    struct TState {
        TAttributes* Head = nullptr;
        int Count = 0;
        uint64_t NextSerial = 1;
        std::unordered_multimap<size_t, TAttributes*> Index;

        ~TState();
    };

    static TState& State();
    // Set once the registry has freed its instances at program end.
    static bool Gone;

    static void Link(TAttributes* item)
    {
        TState& s = State();
        item->registered_ = true;
        item->serial_ = s.NextSerial++;
        item->hash_ = item->HashValue();
        item->prevRegistered_ = nullptr;
        item->nextRegistered_ = s.Head;
        if (s.Head) s.Head->prevRegistered_ = item;
        s.Head = item;
        ++s.Count;
        s.Index.emplace(item->hash_, item);
    }

    static void Unlink(TAttributes* item)
    {
        TState& s = State();
        auto [first, last] = s.Index.equal_range(item->hash_);
        for (auto it = first; it != last; ++it)
            if (it->second == item) {
                s.Index.erase(it);
                break;
            }
        if (item->prevRegistered_)
            item->prevRegistered_->nextRegistered_ = item->nextRegistered_;
        else
            s.Head = item->nextRegistered_;
        if (item->nextRegistered_) item->nextRegistered_->prevRegistered_ = item->prevRegistered_;
        item->nextRegistered_ = item->prevRegistered_ = nullptr;
        item->registered_ = false;
        --s.Count;
    }

    static TAttributes* Find(const TAttributes& attributes)
    {
        TState& s = State();
        TAttributes* best = nullptr;
        auto [first, last] = s.Index.equal_range(attributes.HashValue());
        for (auto it = first; it != last; ++it) {
            TAttributes* candidate = it->second;
            if ((!best || candidate->serial_ > best->serial_) && candidate->IsEqual(attributes)) best = candidate;
        }
        return best;
    }

    static void Free(TAttributes* item)
    {
        Unlink(item);
        delete item;
    }
};

bool TAttributesRegistryAccess::Gone = false;

TAttributesRegistryAccess::TState& TAttributesRegistryAccess::State()
{
    static TState state;
    return state;
}

TAttributesRegistryAccess::TState::~TState()
{
    while (Head) {
        TAttributes* item = Head;
        Head = item->nextRegistered_;
        item->registered_ = false;
        item->nextRegistered_ = item->prevRegistered_ = nullptr;
        delete item;
    }
    Index.clear();
    Count = 0;
    Gone = true;
}

// ---- TAttributesClass ----

bool TAttributesClass::InheritsFrom(const TAttributesClass& other) const
{
    for (const TAttributesClass* c = this; c; c = c->Parent)
        if (c == &other) return true;
    return false;
}

TAttributes* TAttributesClass::Create() const
{
    if (!NewInstance) throw Exception(u"The attributes class " + AsciiToString(Name) + u" is abstract");
    return NewInstance();
}

// ---- TAttributes ----

const TAttributesClass& TAttributes::Class()
{
    static const TAttributesClass cls{"TAttributes", nullptr, nullptr};
    return cls;
}

TAttributes::~TAttributes()
{
    // Only the registry frees registered instances; it unlinks them first.
}

void TAttributes::Changing() {}

void TAttributes::Changed() {}

void TAttributes::Create() { CheckWritable(); }

void TAttributes::Assign(const TAttributes& source)
{
    CheckWritable();
}

bool TAttributes::IsEqual(const TAttributes& other) const { return &GetClass() == &other.GetClass(); }

size_t TAttributes::HashValue() const
{
    size_t seed = 0;
    HashCombine(seed, reinterpret_cast<size_t>(&GetClass()));
    return seed;
}

void TAttributes::CheckWritable() const
{
    if (registered_) throw Exception(u"Shared attributes cannot be changed");
}

TAttributes* TAttributes::CreateRegistered(const TAttributesClass& cls)
{
    TAttributes* item = cls.Create();
    item->Create();
    TAttributesRegistryAccess::Link(item);
    return item;
}

TAttributes* TAttributes::FindRegistered(const TAttributes& attributes)
{
    return TAttributesRegistryAccess::Find(attributes);
}

TAttributes* TAttributes::GetRegistered(const TAttributes& attributes)
{
    if (attributes.registered_) return const_cast<TAttributes*>(&attributes);
    if (TAttributes* found = FindRegistered(attributes)) return found;
    TAttributes* item = attributes.GetClass().Create();
    try {
        item->Assign(attributes);
    } catch (...) {
        delete item;
        throw;
    }
    TAttributesRegistryAccess::Link(item);
    return item;
}

void TAttributes::AddRef()
{
    if (registered_) ++refCount_;
}

void TAttributes::Release()
{
    if (!registered_ || refCount_ <= 0 || TAttributesRegistryAccess::Gone) return;
    if (--refCount_ == 0) TAttributesRegistryAccess::Free(this);
}

TAttributes* AttributesRegistry() { return TAttributesRegistryAccess::Gone ? nullptr : TAttributesRegistryAccess::State().Head; }

int RegisteredAttributesCount() { return TAttributesRegistryAccess::Gone ? 0 : TAttributesRegistryAccess::State().Count; }

bool ReplaceAttributesSlot(TAttributes*& slot, TAttributes* value)
{
    if (value && !value->Registered()) value = TAttributes::GetRegistered(*value);
    if (value == slot) return false;
    TAttributes* old = slot;
    slot = value;
    if (value) value->AddRef();
    if (old) old->Release();
    return true;
}

} // namespace quillora
