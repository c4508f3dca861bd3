#include "HeadlessScan.h"

#include <cstdio>
#include <string>
#include <strings.h>
#include <vector>

int main(int argc, char** argv)
{
  // Arguments stay bytes: a folder name need not be valid UTF-8.
  std::vector<std::string> Arguments(argv + 1, argv + argc);
  bool Hidden = false;
  for (const std::string& Argument : Arguments)
    if (strcasecmp(Argument.c_str(), "/NOGUI") == 0 || Argument == "--nogui" || Argument == "--help"
        || Argument == "-h" || Argument == "--version")
      Hidden = true;
  if (!Hidden) {
    std::fprintf(stderr, "spacelens: this build has no window yet; scan with --nogui.\n\n%s",
                 THeadlessScan::Usage);
    return 2;
  }
  return THeadlessScan().Run(Arguments);
}
