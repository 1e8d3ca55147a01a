#pragma once
// Platform services: interfaces of the core whose implementations the composition root
// provides (WinMain, a tool's main, the test runner's main). Code that needs one asks
// Service<I>(); whoever provides it holds a TProvide<I> for as long as it is to be used.
// A test overrides a service for its own scope the same way; the previous one comes back
// however the scope is left, exceptions included.
//
//   TProvide<TMessageBoxService> boxes(fakeBoxes);   // in a test or a main()
//   Service<TMessageBoxService>().Show(...);          // anywhere
//
// The program's implementations are owned and provided by TPlatformServices
// (shell/PlatformServices.h); README.md says how to add a service.

#include <typeinfo>
#include <utility>

#include "foundation/Exceptions.h"
#include "foundation/Strings.h"

namespace quillora {

template <class I> inline I* ProvidedService = nullptr;

// The provided implementation of I; raises when none is provided (a fault of the
// composition, never of the user's data).
template <class I> I& Service()
{
    if (I* service = ProvidedService<I>) return *service;
    throw Exception(u"No implementation of the platform service " + AsciiToString(typeid(I).name()) +
                    u" is provided");
}

// The provided implementation of I, or null.
template <class I> I* FindService()
{
    return ProvidedService<I>;
}

// Provides `service` as I for the life of this object, then restores the one before.
template <class I> class TProvide {
public:
    explicit TProvide(I& service) : previous_(std::exchange(ProvidedService<I>, &service)) {}
    ~TProvide() { ProvidedService<I> = previous_; }
    TProvide(const TProvide&) = delete;
    TProvide& operator=(const TProvide&) = delete;

private:
    I* previous_;
};

} // namespace quillora
