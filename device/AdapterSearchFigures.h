// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// What one adapter's pass of the last search saw.
struct AdapterSearchFigures
{
    std::string interfaceName;
    std::u16string ipText;
    int32_t adapterEntry = -1;
    int32_t requestsSent = 0;
    int32_t sendsFailed = 0; // requests the system refused to send (a firewall gives EPERM)
    // errno of the last failure that kept a request in: socket, bind, broadcast or send; 0 for none.
    int systemError = 0;
    int32_t datagramsHeard = 0;
    int32_t repliesAccepted = 0;
    int32_t straysDropped = 0;     // not an answer to this search
    int32_t duplicatesDropped = 0; // a camera already listed
    int32_t overLimitDropped = 0;  // answers of new cameras once the search had listed all it may
    std::chrono::milliseconds listened{0};

    // Once the pass has ended: no request of it went out, so no camera could answer it.
    bool NothingSent() const { return requestsSent == 0; }
};
