// How big each file of the benchmark payload is: every file but the program
// a size drawn for its kind, the program the rest, so the archive inflates to
// exactly the requested total.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The shipped archive's inflated size.
constexpr size_t ShippedArchiveBytes = 3742304;

// One size per name, in order. Raises std::runtime_error unless exactly one
// name is a program and its share of the total comes to about a third.
std::vector<size_t> PlanSizes(const std::vector<std::string> &names, size_t archiveBytes);
// The bytes an entry takes in the archive besides its contents.
size_t RecordOverhead(const std::string &name);
