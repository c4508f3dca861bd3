// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/RemoteAddress.h"

#include "fs/FilledText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <initializer_list>
#include <string_view>

namespace {

constexpr std::string_view Scheme = "ssh://";

// What SSH would take for an option, or the shell for more than a name.
bool SafeName(const std::string& Name)
{
  return !Name.empty() && Name[0] != '-' && std::all_of(Name.begin(), Name.end(), [](unsigned char C) {
    return std::isalnum(C) || C == '.' || C == '-' || C == '_' || C == ':' || C == '%';
  });
}

}  // namespace

bool TRemoteAddress::Looks(const std::string& Text)
{
  if (Text.starts_with(Scheme))
    return true;
  // host:/path, never a local path ("/a:/b", "./x:/y") or a lone drive-like word.
  const size_t Colon = Text.find(":/");
  return Colon != std::string::npos && Colon > 0 && Text.find('/') > Colon;
}

bool TRemoteAddress::Parse(const std::string& Text, std::string& Problem)
{
  *this = {};
  std::string Place;  // [user@]host[:port] or [user@]host
  if (Text.starts_with(Scheme)) {
    const std::string Rest = Text.substr(Scheme.size());
    const size_t Slash = Rest.find('/');
    Place = Rest.substr(0, Slash);
    Path = Slash == std::string::npos ? "/" : Rest.substr(Slash);
    // A port follows the last colon, after any [IPv6] address.
    const size_t Colon = Place.rfind(':');
    const size_t Bracket = Place.rfind(']');
    if (Colon != std::string::npos && (Bracket == std::string::npos || Colon > Bracket)) {
      const std::string Number = Place.substr(Colon + 1);
      const auto [End, Error] = std::from_chars(Number.data(), Number.data() + Number.size(), Port);
      if (Number.empty() || Error != std::errc() || End != Number.data() + Number.size() || Port < 1 || Port > 65535) {
        Problem = FilledText(tr("the port \"%1\" is no number from 1 to 65535"), {Number});
        return false;
      }
      Place.resize(Colon);
    }
  } else if (Looks(Text)) {
    const size_t Colon = Text.find(":/");
    Place = Text.substr(0, Colon);
    Path = Text.substr(Colon + 1);
  } else {
    Problem =
      tr("write a folder on another machine as ssh://[user@]host[:port]/path or [user@]host:/path").toStdString();
    return false;
  }
  const size_t At = Place.rfind('@');
  if (At != std::string::npos) {
    User = Place.substr(0, At);
    Place.erase(0, At + 1);
  }
  Host = Place;
  if (Host.starts_with('[') && Host.ends_with(']'))
    Host = Host.substr(1, Host.size() - 2);
  if (!SafeName(Host)) {
    Problem = Host.empty() ? tr("the machine's name is missing").toStdString()
                           : FilledText(tr("\"%1\" is no machine's name"), {Host});
    return false;
  }
  if (At != std::string::npos && !SafeName(User)) {
    Problem = FilledText(tr("\"%1\" is no user's name"), {User});
    return false;
  }
  if (Path.find('\0') != std::string::npos) {
    Problem = tr("the path holds a zero byte").toStdString();
    return false;
  }
  while (Path.size() > 1 && Path.ends_with('/'))
    Path.pop_back();
  return true;
}

std::string TRemoteAddress::Url() const
{
  const bool Ipv6 = Host.find(':') != std::string::npos;
  return std::string(Scheme) + (User.empty() ? "" : User + "@") + (Ipv6 ? "[" + Host + "]" : Host)
    + (Port ? ":" + std::to_string(Port) : "") + Path;
}

std::string TRemoteAddress::Name() const
{
  return Host + ":" + Path;
}
