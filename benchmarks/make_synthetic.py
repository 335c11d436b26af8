#!/usr/bin/env python3
"""make_synthetic.py COUNT OUT.errors: a catalogue source of COUNT messages in
one module (A0000, A0001, ...), for the Error Browser benchmark."""
import sys

count = int(sys.argv[1])
with open(sys.argv[2], "w") as out:
    for i in range(count):
        out.write(f"== A{i:04d} | Error | synthetic message {i}\n")
        out.write(f"Synthetic description {i}.\n\n")
