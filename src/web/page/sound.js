// The game's sounds through Web Audio. The game has already checked a sound's file before it
// asks for it; here it is only played. Browsers let a page make sound only once the player has
// clicked or pressed a key: until then a sound asked for is not heard. One sound at a time, as
// in the window: a new one cuts the one playing off.
//
// Making the audio context starts the browser's audio, which can hold the page up for a good
// part of a second: the page makes it while it loads (`prepare`), suspended, so that the
// player's first click or key only has to resume it.

export class Sounds {
  constructor() {
    this.files = new Map();  // the game's name of each sound ("data/ip.dat") and its bytes
    this.buffers = new Map();
    this.context = null;
    this.playing = null;
    this.woken = false;      // the player has clicked or pressed a key
  }

  // The sound files, once they have come.
  take(files) {
    this.files = files;
    if (this.context) this.decode();
  }

  // Makes the audio context, suspended until the player's first click or key.
  prepare() {
    if (this.context) return;
    const AudioContext = window.AudioContext ?? window.webkitAudioContext;
    if (!AudioContext) return;
    this.context = new AudioContext();
    // A browser that lets the page play at once starts it running: it waits for the player too.
    if (this.context.state === 'running' && !this.woken) this.context.suspend().catch(() => {});
    this.decode();
  }

  decode() {
    for (const [name, bytes] of this.files) {
      if (this.buffers.has(name)) continue;
      // decodeAudioData takes its buffer over: it gets a copy.
      this.context.decodeAudioData(bytes.slice(0)).then(
        (buffer) => this.buffers.set(name, buffer),
        () => console.warn(`Quillon: the sound ${name} cannot be decoded`),
      );
    }
  }

  // Called on the player's clicks and keys: the first one wakes the audio up.
  wake() {
    this.woken = true;
    this.prepare();
    if (this.context?.state === 'suspended') this.context.resume().catch(() => {});
  }

  play(name) {
    const buffer = this.buffers.get(name);
    if (!buffer || this.context?.state !== 'running') return;
    this.stop();
    const source = this.context.createBufferSource();
    source.buffer = buffer;
    source.connect(this.context.destination);
    source.onended = () => {
      if (this.playing === source) this.playing = null;
    };
    source.start();
    this.playing = source;
  }

  stop() {
    if (!this.playing) return;
    this.playing.onended = null;
    this.playing.stop();
    this.playing = null;
  }
}

// Fetches the sound files; a file that cannot be fetched is left out (the game then finds it
// missing and says so when it wants to play it).
export async function fetchSounds(names) {
  const files = new Map();
  await Promise.all(
    names.map(async (name) => {
      try {
        const response = await fetch(name);
        if (response.ok) files.set(name, await response.arrayBuffer());
        else console.warn(`Quillon: the sound ${name} is missing (HTTP ${response.status})`);
      } catch (error) {
        console.warn(`Quillon: the sound ${name} did not load: ${error}`);
      }
    }),
  );
  return files;
}
