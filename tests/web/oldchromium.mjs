// The old Chromium builds of tests/web/chromium (npm packages that carry one inside, pinned by its
// lock file), unpacked once into the cache: each package keeps its browser brotli-compressed in
// bin/, the executable alone or with a tar of the libraries it needs. Their own fonts.conf names
// fonts that Debian does not have, so they use the system's fontconfig.
import { chmodSync, existsSync, mkdirSync, readdirSync, readFileSync, renameSync, rmSync, writeFileSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { homedir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { brotliDecompressSync } from 'node:zlib';

const packages = join(dirname(fileURLToPath(import.meta.url)), 'chromium', 'node_modules');
const cache = join(process.env.ZORNET_CACHE || join(process.env.XDG_CACHE_HOME || join(homedir(), '.cache'), 'zornet'), 'chromium');

// The builds by their name in tests/web/chromium/package.json, oldest first.
export const oldChromiums = ['chromium-65', 'chromium-78', 'chromium-92'];

// { executable, libraries } of the build, unpacked into the cache the first time.
export function unpack(name) {
  const bin = join(packages, name, 'bin');
  if (!existsSync(bin)) throw new Error(`${name} is not installed: run npm ci in tests/web/chromium (tools/web does)`);
  const { version } = JSON.parse(readFileSync(join(packages, name, 'package.json'), 'utf8'));
  const folder = join(cache, `${name}-${version}`);
  if (!existsSync(folder)) {
    const partial = `${folder}.partial`;
    rmSync(partial, { recursive: true, force: true });
    mkdirSync(partial, { recursive: true });
    for (const file of readdirSync(bin).filter((entry) => entry.endsWith('.br'))) {
      if (file.startsWith('swiftshader')) continue; // software GPU, which the tests turn off
      const data = brotliDecompressSync(readFileSync(join(bin, file)));
      if (file.endsWith('.tar.br')) {
        writeFileSync(join(partial, 'unpack.tar'), data);
        execFileSync('tar', ['-xf', 'unpack.tar', '--no-same-owner'], { cwd: partial });
        rmSync(join(partial, 'unpack.tar'));
      } else {
        writeFileSync(join(partial, 'chromium'), data);
        chmodSync(join(partial, 'chromium'), 0o755);
      }
    }
    rmSync(join(partial, 'fonts.conf'), { force: true });
    renameSync(partial, folder);
  }
  return { executable: join(folder, 'chromium'), libraries: existsSync(join(folder, 'lib')) ? join(folder, 'lib') : undefined };
}
