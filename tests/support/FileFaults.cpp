#include "tests/support/FileFaults.h"

#include <vector>

namespace veltrano {

namespace {

struct Fault {
    std::string PathEnd;
    FileOperation Operation;
    int Errno;
};
std::vector<Fault> Faults;

}  // namespace

int FileFaultFor(const std::string& path, FileOperation operation) {
    for (const Fault& fault : Faults)
        if (fault.Operation == operation && path.size() >= fault.PathEnd.size() &&
            path.compare(path.size() - fault.PathEnd.size(), fault.PathEnd.size(), fault.PathEnd) == 0)
            return fault.Errno;
    return 0;
}

void SimulateFileFault(const std::string& pathEnd, FileOperation operation, int errorNumber) {
    Faults.push_back({pathEnd, operation, errorNumber});
}

void ClearFileFaults() {
    Faults.clear();
}

}  // namespace veltrano
