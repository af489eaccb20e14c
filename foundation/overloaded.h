#pragma once

namespace qsim {

// One callable made of several lambdas, each taking its own argument types: the
// visitor of ModelStore::ForEachElement, one lambda per record type.
template <typename... Lambdas>
struct Overloaded : Lambdas... {
  using Lambdas::operator()...;
};

}  // namespace qsim
