#pragma once

namespace qsim {

// One callable made of several lambdas, each taking its own argument types: the
// visitor of ModelStore::ForEachElement, one lambda per record type.
template <typename... Lambdas>
struct Overloaded : Lambdas... {
  using Lambdas::operator()...;
};

// C++20 deduces this from the aggregate itself, but clang before 17 does not, and
// the fuzz targets are built with clang.
template <typename... Lambdas>
Overloaded(Lambdas...) -> Overloaded<Lambdas...>;

}  // namespace qsim
