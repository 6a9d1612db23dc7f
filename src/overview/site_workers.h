#pragma once

#include "runs/worker.h"

#include <vector>

namespace tolvera {

// The site query run's workers, Tthread1 to Tthread17 in the order they start:
// each fills its fields of the overview tab from the run's domain. Their shares
// add up to 100.
const std::vector<WorkerRow> &siteWorkers();

// The keyword ranking's workers, Tthread18 (Baidu) and Tthread19 (Google): each
// finds the site among the first 100 results for the keyword. 50 each.
const std::vector<WorkerRow> &keywordWorkers();

} // namespace tolvera
