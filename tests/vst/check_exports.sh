#!/bin/sh
# Fails unless the module's dynamic symbol table defines exactly
# VSTPluginMain and main, at the same address.
set -eu
module="$1"
defined=$(nm -D --defined-only "$module" | awk '{print $3}' | sort | tr '\n' ' ')
if [ "$defined" != "VSTPluginMain main " ]; then
  echo "exports: '$defined' (expected 'VSTPluginMain main ')"
  exit 1
fi
addresses=$(nm -D --defined-only "$module" | awk '{print $1}' | sort -u | wc -l)
if [ "$addresses" -ne 1 ]; then
  echo "VSTPluginMain and main are not one function"
  exit 1
fi
echo "exports: $defined"
