#!/bin/sh
# Stands in for the desktop's opener (xdg-open) that Wine's winebrowser
# hands documents to: notes each one it is given, one a line, in the file
# named as itself with ".log" added.
printf '%s\n' "$1" >>"$0.log"
