#include "icmp_counters.h"

#include <sstream>
#include <vector>

namespace quorl::testing {

long IcmpCounter(std::istream& snmp, const std::string& wanted) {
    std::vector<std::string> names;
    for (std::string line; std::getline(snmp, line);) {
        if (line.rfind("Icmp:", 0) != 0) {
            continue;
        }
        std::istringstream fields(line.substr(5));
        if (names.empty()) {
            for (std::string name; fields >> name;) {
                names.push_back(name);
            }
            continue;
        }
        long value = 0;
        for (const std::string& name : names) {
            fields >> value;
            if (name == wanted) {
                return value;
            }
        }
    }
    return -1;
}

}  // namespace quorl::testing
