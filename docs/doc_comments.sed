# Doxygen input filter for include/orla/orla.h: the header documents every declaration with plain C
# comments, a comment before a declaration or after it on the same line. This turns them into Doxygen's
# comments on the way in (the header itself keeps plain comments) and makes the header's first comment
# the file's description.
1,/^ \*\//{
  s#^/\*$#/** @file#
  b
}
# A comment that follows code on its line documents that line's declaration.
s#^\([[:space:]]*[^[:space:]/#][^/]*\)/\*\([^*]\)#\1/**<\2#
# A comment that opens a line documents the declaration after it.
s#^\([[:space:]]*\)/\*\([^*]\|$\)#\1/**\2#
