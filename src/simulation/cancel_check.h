#pragma once

namespace vorex {

// Whether the user has asked to stop a long run. A plain function and its context rather than a
// std::function, so that asking costs one indirect call and never allocates; the run asks only
// now and then (every few hundred time steps), so the answer may take its time. Without a
// function it never cancels.
struct CancelCheck {
  bool (*requested)(void* context) = nullptr;
  void* context = nullptr;

  bool operator()() const { return requested != nullptr && requested(context); }
};

}  // namespace vorex
