#pragma once

// What the question editor does to the bank file as a whole, in the working directory.

// Removes the bank. A symbolic link of that name is removed itself and its target is kept. A
// folder of that name, a read-only bank (no write permission bit, whoever the user is) or a name
// that does not exist count as failures and nothing changes.
bool ExcluirBanco();

// True when the bank's name leads to an existing file (through a symbolic link too), not a folder.
bool ExisteBanco();

// Copies the stock bank to the bank's name, byte for byte and with its permission bits. Fails
// when anything at all has that name (a dangling link or a folder too), and never leaves a partial
// bank behind: the copy is made under a temporary name and only put in place when complete.
bool RestaurarBanco();
