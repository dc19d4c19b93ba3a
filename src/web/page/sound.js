// The game's sounds through Web Audio. The game has already checked a sound's file before it
// asks for it; here it is only played. Browsers let a page make sound only once the player has
// clicked or pressed a key: until then a sound asked for is not heard. One sound at a time, as
// in the window: a new one cuts the one playing off.

export class Sounds {
  // `files`: the game's name of each sound ("data/ip.dat") and its bytes.
  constructor(files) {
    this.files = files;
    this.buffers = new Map();
    this.context = null;
    this.playing = null;
  }

  // Called on the player's clicks and keys: the first one wakes the audio up.
  wake() {
    if (!this.context) {
      const AudioContext = window.AudioContext ?? window.webkitAudioContext;
      if (!AudioContext) return;
      this.context = new AudioContext();
      for (const [name, bytes] of this.files) {
        // decodeAudioData takes its buffer over: it gets a copy.
        this.context.decodeAudioData(bytes.slice(0)).then(
          (buffer) => this.buffers.set(name, buffer),
          () => console.warn(`Quillon: the sound ${name} cannot be decoded`),
        );
      }
    }
    if (this.context.state === 'suspended') this.context.resume().catch(() => {});
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
