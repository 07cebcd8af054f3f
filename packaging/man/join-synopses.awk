# SPDX-License-Identifier: Apache-2.0
# help2man makes a list entry's first line its tag and every later line its body, so a synopsis
# that --help wraps over several lines runs into its description. This joins the wrapped lines
# back onto the tag (they start with "[", "(" or an option; a description starts with a
# capital), where man wraps the synopsis with its own indentation and starts the description
# below it. Words of a joined tag are kept whole, not hyphenated.
#   awk -f join-synopses.awk PAGE.1 > JOINED.1
function flush() {
    if (tag != "") {
        if (joined) {
            gsub(/ /, " \\%", tag)
            tag = "\\%" tag
        }
        print tag
    }
    tag = ""
    joined = 0
}
after_tp == 1 { tag = $0; after_tp = 0; next }
tag != "" && /^(\[|\(|\\-|\\fB\\-)/ { tag = tag " " $0; joined = 1; next }
{ flush() }
# Left-aligned: justifying a long synopsis would stretch its spaces.
/^\.TH / { print; print ".ad l"; next }
/^\.TP$/ { after_tp = 1 }
{ print }
END { flush() }
