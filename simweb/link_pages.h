#pragma once

#include "simulated_web.h"

#include <chrono>
#include <memory>
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

// Friend number i of the sample audits: "friendI.localhost", two in three linking
// back, one to seven links to other hosts.
FriendSite numberedFriend(int i);

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

// Friends first to last (numberedFriend) on a site server of their own: a simulated
// web spread over several processes serves an audit's friends in slices, a slice a
// process, so that no one server holds every friend's connection. Every name under
// .localhost on its port is a site; a friend outside the slice answers 404. No
// request recording; a thread for every friend of the slice, and some to spare.
class FriendSlice {
public:
    FriendSlice(int first, int last, std::chrono::milliseconds latency);
    ~FriendSlice();
    FriendSlice(const FriendSlice &) = delete;
    FriendSlice &operator=(const FriendSlice &) = delete;

    int port() const;

    // From now on the friends' pages link back to the audited site at this address
    // (name:PORT) as numberedFriend says; before the first call none links back.
    void linkBackTo(const std::string &auditedAddress);

    // Serves `name` as the audited site, its home page linking every friend address
    // in order (on this slice's port or any other); returns the site's "name:PORT".
    std::string serveAudited(const std::string &name,
                             const std::vector<std::string> &friendAddresses);

    struct Pages; // shared with the server's handler

private:
    std::shared_ptr<Pages> pages_;
    std::unique_ptr<FakeWeb> web_;
};

} // namespace fakeweb
