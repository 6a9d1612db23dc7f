#pragma once

#include "simulated_web.h"

#include <string>
#include <vector>

namespace fakeweb {

// A site linked from the audited home page, and what its own home page holds.
struct FriendSite {
    std::string name; // a name under .localhost, e.g. "friend1.localhost"
    bool linksBack = true;
    int otherLinks = 3;        // links to hosts other than the audited site
    bool pageRankKnown = true; // whether the PageRank lookup finds it
};

// The audited site's home page: one link to each friend, written in the ways real
// pages write them (quotes or none, capitals, line breaks and attributes inside the
// tag, paths and queries, a second link to the same host), among links that are no
// friend links (secure, relative, script, mail, excluded portals, the site itself).
std::string auditedHomePage(const std::string &auditedAddress,
                            const std::vector<std::string> &friendAddresses);

// A friend's home page: `otherLinks` links to other hosts, and one to the audited
// site when it links back.
std::string friendHomePage(const std::string &auditedAddress, bool linksBack, int otherLinks);

// Serves the audited site and its friends from the web's sample sites; returns the
// friends' addresses ("name:PORT") in the order the harvest finds them.
std::vector<std::string> installLinkAudit(SimulatedWeb &web, const std::string &auditedName,
                                          const std::vector<FriendSite> &friends);

} // namespace fakeweb
