// SPDX-License-Identifier: Apache-2.0
#include "tools/camsim/SimOptions.h"

#include "platform/ProgramFolder.h"

#include <cstdlib>
#include <sstream>

const char* const kStrayKinds[] = {"wrong-magic", "old-seq",   "other-opcode", "bad-code",
                                   "short",       "other-mac", nullptr};
const char* const kIgnorableSettings[] = {"name", "ip",   "mask",  "gateway", "dns1",
                                          "dns2", "dhcp", "essid", nullptr};

const char* const kUsage = R"(Usage: quillane-camsim --interface NAME [OPTION]...
  or:  quillane-camsim --help | --version

Plays one or many cameras on UDP port 62976 of one interface, answering by limited broadcast.
Run it only inside a network namespace built for tests.

  --interface NAME    interface to listen and answer on (required)
  --port N            port to listen on (default 62976)
  --templates DIR     template folder (default: tQuillane beside the program)
  --state-file PATH   JSON state of every camera and of the requests seen; written (by rename,
                      so never half-written) once the socket is ready, before every answer and
                      after every request (keys below)
  --state-at-start    write the state file only once the socket is ready (for benchmarks)
  --camera SETTINGS   one camera as KEY=VALUE pairs separated by commas. Repeat for more cameras.
                      Identity and network: mac, model, name, ip, mask, gateway, dns1, dns2,
                      dhcp, webport, reserved, dnsspec, prodtype, hwspec (32 flag characters),
                      wireless (0/1: sets flag 32), firmware.
                      Login: user, password, power (the Power a login reports, default 1),
                      opcodes (the supported opcode list, ":"-separated, such as 0xA2:0xA3).
                      Wireless: essid, channel, wlanenable, wepkey1..wepkey4, wepkey
                      (passphrase), encbits, authbits, keybits, ratebits (8 bit characters
                      each), channelrange (32 bit characters), wiremode, txrate, and the
                      capability strings enccaps, authcaps, keylencaps, keyformatcaps,
                      defkeycaps.
                      WPS: wpspbc, wpspin (0/1 support), wpsssid (the network a join ends in),
                      wpspending (polls answered "pending" per phase, instead of
                      --wps-pending), wpsstall (inf or status: that poll phase never ends),
                      wpsrefuse (init, inf, send or status: that step is refused with
                      status 7).
  --count N           replace the last camera by N cameras counted up from it: MAC and
                      address plus i, name suffixed "-i" (i from 1)
  --seed N            seed of the drop decisions (default 1)
Fault knobs:
  --reply-delay MS    act on each request and answer it MS after it came (requests do not wait
                      for one another)
  --spread MS         spread the answers of all cameras to one search over MS
  --drop-rate P       leave each answer unsent with probability P (0 to 1)
  --request-drop-rate P  lose each incoming request with probability P: it changes nothing
  --stray KIND[,KIND]
                      before the answers, send stray datagrams: wrong-magic, old-seq,
                      other-opcode, bad-code (status 1), short (21 bytes), other-mac (an answer
                      to the same request from a MAC that is not the camera's)
  --duplicate         send every search answer twice
  --oversize N        append N bytes to every answer
  --status N          answer every operation with status N (body: the detail); nothing changes
  --detail N          detail number sent with --status (default 0)
  --write-action N    action a writing operation reports: 0 done, 1 renew address, 2 wait
  --write-wait MS     wait reported with actions 1 and 2
  --wps-pending N     each WPS poll phase answers "pending" (status 257) N times first
  --empty-reads       login, opcode and wireless reads succeed with an empty body
  --restart-time MS   after a reset the camera answers nothing for MS
  --ignore-setting KEY[,KEY]  SetBasic is answered as accepted but leaves these settings as
                      they were: name, ip, mask, gateway, dns1, dns2, dhcp; SetWLan likewise
                      essid
  --gone-after-write  after answering a SetBasic the camera answers nothing, not even a search
  --lie-length N      every answer's body length field says N, whatever the body
  --late-reply MS     operation answers leave MS after their request; meanwhile other requests
                      are answered (an answer that comes after the asker gave up)
  --drop-answers LIST  never send the answers to these opcodes (for example 0xA4,0xAA); the
                      requests still act
  --duplicate-requests  handle every request twice, as if the link doubled it; the second
                      copy's answer leaves first (as if the link also reordered the answers)
  --stray-flood MS    from the first request on, send a stray (a reply with the wrong magic) to
                      the last asking port every MS, without end
  --help              this text
  --version           the program's version

Operations: every request but a search must carry the camera's credentials (else status 2).
A camera applies what a write sent at once (SetBasic: network settings; ChangeIDPWD: stores the
enciphered ID and password and checks later logins by enciphering what they present; SetWLan:
wireless settings); Reset counts a restart and ends a WPS run. WPS: QueryWPS starts over;
InitWPS (mode 1 needs wpspbc, mode 2 wpspin, else status 4) makes the camera's key pair and
agrees the secret with the public value sent; PollWPSInf sends the camera's public value,
transformed; SendWPS is accepted only when the transformed secret matches (else status 6);
PollWPSStatus then reports the join, which sets essid to wpsssid and wlanenable to 1. A step
out of order gets status 5. A WPS step that comes again with the sequence number of the one
before (a duplicate on the link) gets the same answer again and changes nothing.

State file keys (stable):
  interface, lastSequence

  counters: datagrams, ignored, dropped (answers), requestsDropped, otherTargets, unhandled,
  restarting (requests while restarting), templateMissing, strays, sent, sendErrors,
  fillerNotZero (requests with bytes after the body that are not zero), badCheckWord,
  wpsRepeats (WPS steps answered again)

  requests: opcode (decimal) -> count of requests seen

  requestLengths: opcode (decimal) -> length of the last such request

  cameras[]: mac, model, name, ip, mask, gateway, dns1, dns2, dhcp, webPort, reserved, dnsSpec,
  prodType, prodHwSpec, user ("" once only its cipher is known), userEnciphered, userCipher
  (hex of the 64 enciphered bytes, "" until changed), passwordEnciphered, passwordCipher,
  power, opcodes [..], resets, wireless, wps, requests (below)

  cameras[].wireless: essid, wepKeys [4], wepKey, enable, channel, encryptionModeBits,
  keyLenAuthBits, keyFormatBits, txRateBits, channelRange, wireMode, encryptionCaps,
  authenticationCaps, wepKeyLenCaps, wepKeyFormatCaps, wepDefaultKeyCaps, txRate

  cameras[].wps: phase (idle, started, keySent, secretAccepted, joined), mode, pin, agreed,
  sendsAccepted, sendsRejected

  cameras[].requests: opcode (decimal) -> count addressed to this camera
)";

namespace {

bool ToInt(const std::string& text, long& out)
{
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 0);
    return !text.empty() && *end == '\0';
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> items;
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, separator);)
        if (!item.empty())
            items.push_back(item);
    return items;
}

bool ParseCamera(const std::string& settings, SimCamera& camera, std::string& error)
{
    for (const std::string& pair : Split(settings, ',')) {
        const size_t eq = pair.find('=');
        if (eq == std::string::npos || !SetCameraKey(camera, pair.substr(0, eq), pair.substr(eq + 1))) {
            error = "bad camera setting '" + pair + "'";
            return false;
        }
    }
    return true;
}

std::vector<SimCamera> CountUp(const SimCamera& base, long count)
{
    std::vector<SimCamera> cameras;
    const uint32_t mac = (base.mac[3] << 16) | (base.mac[4] << 8) | base.mac[5];
    Ipv4Bytes ip = ParseAddress(std::u16string(base.ip.begin(), base.ip.end()));
    const uint32_t host = (ip[2] << 8) | ip[3];
    for (long i = 0; i < count; ++i) {
        SimCamera camera = base;
        const uint32_t m = mac + static_cast<uint32_t>(i);
        camera.mac[3] = static_cast<uint8_t>(m >> 16);
        camera.mac[4] = static_cast<uint8_t>(m >> 8);
        camera.mac[5] = static_cast<uint8_t>(m);
        const uint32_t h = host + static_cast<uint32_t>(i);
        ip[2] = static_cast<uint8_t>(h >> 8);
        ip[3] = static_cast<uint8_t>(h);
        const std::u16string text = FormatAddress(ip);
        camera.ip = std::string(text.begin(), text.end());
        camera.name = base.name + "-" + std::to_string(i + 1);
        cameras.push_back(camera);
    }
    return cameras;
}

// Adds the comma-separated names of list to chosen; each must be one of known.
bool ParseNames(const std::string& list, const char* const* known, const char* what,
                std::set<std::string>& chosen, std::string& error)
{
    for (const std::string& name : Split(list, ',')) {
        bool found = false;
        for (const char* const* k = known; *k; ++k)
            found = found || name == *k;
        if (!found) {
            error = std::string("unknown ") + what + " '" + name + "'";
            return false;
        }
        chosen.insert(name);
    }
    return true;
}

} // namespace

bool ParseSimOptions(int argc, char** argv, SimOptions& options, std::string& error)
{
    options.templates = ProgramFolder() / "tQuillane";
    SimFaults& f = options.faults;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--duplicate") {
            f.duplicate = true;
            continue;
        }
        if (option == "--state-at-start") {
            options.stateOnlyAtStart = true;
            continue;
        }
        if (option == "--empty-reads") {
            f.emptyReads = true;
            continue;
        }
        if (option == "--gone-after-write") {
            f.goneAfterWrite = true;
            continue;
        }
        if (option == "--duplicate-requests") {
            f.duplicateRequests = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = "unknown option or missing value: " + option;
            return false;
        }
        const std::string value = argv[++i];
        long number = 0;
        const bool numeric = ToInt(value, number) && number >= 0;
        auto needNumber = [&](long& target) {
            if (!numeric)
                error = option + " needs a number, not '" + value + "'";
            target = number;
            return numeric;
        };
        long n = 0;
        if (option == "--interface") {
            options.interfaceName = value;
        } else if (option == "--templates") {
            options.templates = value;
        } else if (option == "--state-file") {
            options.stateFile = value;
        } else if (option == "--camera") {
            SimCamera camera;
            camera.mac = {0x02, 0x00, 0x00, 0x00, 0x00, static_cast<uint8_t>(options.cameras.size() + 1)};
            if (!ParseCamera(value, camera, error))
                return false;
            options.cameras.push_back(camera);
        } else if (option == "--count") {
            if (!needNumber(n))
                return false;
            if (options.cameras.empty())
                options.cameras.emplace_back().mac = {0x02, 0, 0, 0, 0, 1};
            const SimCamera base = options.cameras.back();
            options.cameras.pop_back();
            for (SimCamera& camera : CountUp(base, n))
                options.cameras.push_back(camera);
        } else if (option == "--drop-rate") {
            f.dropRate = std::strtod(value.c_str(), nullptr);
        } else if (option == "--request-drop-rate") {
            f.requestDropRate = std::strtod(value.c_str(), nullptr);
        } else if (option == "--stray") {
            if (!ParseNames(value, kStrayKinds, "stray kind", f.strays, error))
                return false;
        } else if (option == "--ignore-setting") {
            if (!ParseNames(value, kIgnorableSettings, "setting", f.ignoredSettings, error))
                return false;
        } else if (option == "--drop-answers") {
            for (const std::string& item : Split(value, ',')) {
                if (!ToInt(item, n) || n < 0 || n > 0xFFFF) {
                    error = "--drop-answers needs opcodes, not '" + item + "'";
                    return false;
                }
                f.dropAnswers.insert(static_cast<int>(n));
            }
        } else if (option == "--lie-length") {
            if (!needNumber(n))
                return false;
            f.lieLength = static_cast<int>(n);
        } else if (option == "--status") {
            if (!ToInt(value, n)) {
                error = "--status needs a number";
                return false;
            }
            f.status = static_cast<int>(n);
        } else {
            const std::pair<const char*, int*> ints[] = {
                {"--port", nullptr},
                {"--seed", nullptr},
                {"--reply-delay", &f.replyDelayMs},
                {"--spread", &f.spreadMs},
                {"--oversize", &f.oversize},
                {"--detail", &f.detail},
                {"--write-action", &f.writeAction},
                {"--write-wait", &f.writeWaitMs},
                {"--wps-pending", &f.wpsPending},
                {"--restart-time", &f.restartMs},
                {"--late-reply", &f.lateReplyMs},
                {"--stray-flood", &f.strayFloodMs},
            };
            bool found = false;
            for (const auto& [name, target] : ints) {
                if (option != name)
                    continue;
                found = true;
                if (!needNumber(n))
                    return false;
                if (target)
                    *target = static_cast<int>(n);
                else if (option == "--port")
                    options.port = static_cast<uint16_t>(n);
                else
                    options.seed = static_cast<uint32_t>(n);
            }
            if (!found) {
                error = "unknown option " + option;
                return false;
            }
        }
    }
    if (options.interfaceName.empty()) {
        error = "--interface is required";
        return false;
    }
    if (options.cameras.empty())
        options.cameras.emplace_back().mac = {0x02, 0, 0, 0, 0, 1};
    return true;
}
